// What only a real display shows: a window system that sends the pointer's crossings, a window
// manager that closes windows and a pointer that drags. Runs on the xcb platform against a
// virtual X server with openbox, both started and stopped here; the pointer is moved by warping
// it (QCursor::setPos) and by xdotool.
#include "window/real_display.h"

#include <QAccessible>
#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QStyleFactory>
#include <QWindow>
#include <QtTest>
#include <cstdio>
#include <memory>

#include "platform/registry_file.h"
#include "settings/store.h"
#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"
#include "window/help_window.h"
#include "window/main.h"
#include "window/scripted_dialogs.h"

namespace pixmosa {

namespace {

// Runs xdotool to its end and gives what it printed.
QString xdotool(const QStringList& arguments)
{
    QProcess tool;
    tool.start("xdotool", arguments);
    tool.waitForFinished(20000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// Every file below a folder with its size and time, so a later look tells whether anything
// was written since.
QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo file(entries.next());
        files << QString("%1 %2 %3")
                     .arg(file.filePath())
                     .arg(file.size())
                     .arg(file.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}

QPalette darkPalette()
{
    QPalette dark;
    const QColor window(0x35, 0x35, 0x35);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    dark.setColor(QPalette::AlternateBase, QColor(0x42, 0x42, 0x42));
    dark.setColor(QPalette::ToolTipBase, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::ToolTipText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    return dark;
}

}  // namespace

class RealDisplayTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempDir> m_dir;
    std::unique_ptr<RegistryFile> m_registry;
    test::ScriptedDialogs m_dialogs;
    std::unique_ptr<TfrmMain> m_window;

    void addFiles(const QStringList& names, const std::string& content)
    {
        QDir().mkpath(QString::fromStdString(m_dir->path("pics")));
        for (const QString& name : names) {
            m_dir->write("pics/" + name.toStdString(), content);
        }
    }

    void storeSettings(Registry& registry)
    {
        (void)WriteStoreString(registry, kSettingsKey, "ImageDir", m_dir->path("pics"));
        (void)WriteStoreBool(registry, kSettingsKey, "Sorted", true);
        (void)WriteStoreInteger(registry, kSettingsKey, "ThumbSize", 100);
    }

    // The window on the images, shown and made active by the window manager.
    TfrmMain& openOn(const QStringList& names)
    {
        addFiles(names, std::string());
        storeSettings(*m_registry);
        m_window = std::make_unique<TfrmMain>(*m_registry, m_dir->path("Pixmosa.dat"), m_dialogs);
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get())) {
            qFatal("the window was not shown");
        }
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get())) {
            qFatal("the window did not become active");
        }
        return *m_window;
    }

    // Rests the pointer on a control; true when the tip came and stayed for a while.
    static bool tipComesAndStays(const OverflowTip& tip, QWidget* control, QPoint at)
    {
        QCursor::setPos(control->mapToGlobal(at));
        QElapsedTimer waited;
        waited.start();
        while (!tip.isShowing() && waited.elapsed() < 3000) {
            QTest::qWait(20);
        }
        QTest::qWait(700);
        return tip.isShowing();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<test::TempDir>();
        m_registry = std::make_unique<RegistryFile>(m_dir->path("registry.reg"));
        m_dialogs = test::ScriptedDialogs();
    }

    void cleanup()
    {
        m_window.reset();
        m_registry.reset();
        m_dir.reset();
    }

    void tipAppearsWhereverThePointerRestsAndStaysUntilItLeaves()
    {
        const QString longName = "a-very-long-name-of-a-photograph-from-the-trip.jpg";
        TfrmMain& window = openOn({longName, "b.jpg"});
        window.ThumbPrefix->setText(QString("Long-").repeated(20));
        const OverflowTip* tip = window.findChild<OverflowTip*>();
        QVERIFY(tip != nullptr);
        QWidget* field = window.ThumbPrefix;
        QWidget* lines = window.ImageList->viewport();
        const QRect line = window.ImageList->visualItemRect(window.ImageList->item(0));
        QCOMPARE(window.ImageList->item(0)->text(), longName);
        const QPoint away = window.ImageArea->mapToGlobal(QPoint(5, 5));

        for (const int x : {4, field->width() / 2, field->width() - 6}) {
            QVERIFY2(tipComesAndStays(*tip, field, QPoint(x, field->height() / 2)),
                     qPrintable(QString("field at %1").arg(x)));
            QCOMPARE(tip->tipWidget()->pos(), field->mapToGlobal(QPoint(0, 0)));
            QCursor::setPos(away);
            QTRY_VERIFY_WITH_TIMEOUT(!tip->isShowing(), 1000);
        }
        for (const int x : {4, lines->width() / 2, lines->width() - 6}) {
            QVERIFY2(tipComesAndStays(*tip, lines, QPoint(x, line.center().y())),
                     qPrintable(QString("entry at %1").arg(x)));
            QCOMPARE(tip->tipWidget()->pos(), lines->mapToGlobal(line.topLeft()));
            QCursor::setPos(away);
            QTRY_VERIFY_WITH_TIMEOUT(!tip->isShowing(), 1000);
        }
        // A key goes on to the field and takes the tip away.
        QVERIFY(tipComesAndStays(*tip, field, QPoint(10, field->height() / 2)));
        xdotool({"key", "End"});
        QTRY_VERIFY_WITH_TIMEOUT(!tip->isShowing(), 1000);
    }

    // A click where the tip shows goes to the control beneath, as if there were no tip: the
    // field takes the focus and the caret, the entry is selected and previewed.
    void clickUnderTheTipReachesTheControlBeneath()
    {
        const QString longName = "a-very-long-name-of-a-photograph-from-the-trip.jpg";
        TfrmMain& window = openOn({"b.jpg", longName});
        const OverflowTip* tip = window.findChild<OverflowTip*>();

        ImageListBox* list = window.ImageList;
        const int longRow = list->row(list->findItems(longName, Qt::MatchExactly).value(0));
        QVERIFY(longRow >= 0);
        list->setCurrentRow(1 - longRow);
        m_dir->write("pics/" + longName.toStdString(),
                     test::encodeJpeg(test::patternImage(80, 60)));
        QWidget* lines = list->viewport();
        const QRect line = list->visualItemRect(list->item(longRow));
        QVERIFY(tipComesAndStays(*tip, lines, QPoint(8, line.center().y())));
        xdotool({"click", "1"});
        QTRY_COMPARE(list->currentRow(), longRow);
        QTRY_VERIFY_WITH_TIMEOUT(!tip->isShowing(), 1000);
        QTRY_VERIFY(!window.ImageArea->pixmap().isNull());

        window.ImageDir->setText(window.ImageDir->text() + QString("/deeper").repeated(12));
        window.ThumbsDir->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.ThumbsDir));
        const QString thumbs = window.ThumbsDir->text();
        const QPoint at(6, window.ImageDir->height() / 2);
        QVERIFY(tipComesAndStays(*tip, window.ImageDir, at));
        const int caret = window.ImageDir->cursorPositionAt(at);
        xdotool({"click", "1"});
        QTRY_VERIFY_WITH_TIMEOUT(!tip->isShowing(), 1000);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.ImageDir));
        xdotool({"type", "XYZ"});
        QTRY_VERIFY(window.ImageDir->text().contains("XYZ"));
        QCOMPARE(window.ImageDir->text().indexOf("XYZ"), caret);
        QCOMPARE(window.ThumbsDir->text(), thumbs);
    }

    // A text cut off by a few pixels, as the field shows it within its frame and margins,
    // is cut off: the tip comes. With room to spare, it does not.
    void tipComesForATextCutOffByAFewPixels()
    {
        TfrmMain& window = openOn({"a.jpg"});
        const OverflowTip* tip = window.findChild<OverflowTip*>();
        QLineEdit* field = window.ThumbPrefix;
        field->setText("htmlxxxxx");
        const int textWidth = field->fontMetrics().horizontalAdvance(field->text());
        for (const auto& [spare, cut] : {std::pair(4, true), std::pair(40, false)}) {
            field->setFixedWidth(textWidth + spare);
            QCOMPARE(tipComesAndStays(*tip, field, QPoint(4, field->height() / 2)), cut);
            QCursor::setPos(window.ImageArea->mapToGlobal(QPoint(5, 5)));
            QTRY_VERIFY_WITH_TIMEOUT(!tip->isShowing(), 1000);
        }
    }

    void keyboardStartsOnTheFirstFieldNotOnExit()
    {
        TfrmMain& window = openOn({"a.jpg"});
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.ImageDir));
        xdotool({"key", "space", "Return"});
        QTest::qWait(300);
        QVERIFY(window.isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.ImageDir));
    }

    // The entry is pressed, dragged to the list's bottom edge and held there: the list scrolls
    // under it, a line shows where it will land, and it lands far below the rows first shown.
    void draggingToTheBottomEdgeScrollsTheListAndDropsThere()
    {
        QStringList names;
        for (int i = 0; i < 200; ++i) {
            names << QString("%1.jpg").arg(i, 3, 10, QChar('0'));
        }
        TfrmMain& window = openOn(names);
        ImageListBox* list = window.ImageList;
        list->setCurrentRow(0);
        const int shownRows = list->viewport()->height() / list->sizeHintForRow(0);
        const QRect first = list->visualItemRect(list->item(0));
        const QPoint start = list->viewport()->mapToGlobal(QPoint(20, first.center().y()));
        const QPoint edge =
            list->viewport()->mapToGlobal(QPoint(20, list->viewport()->height() - 4));

        int furthestScroll = 0;
        bool lineShown = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            furthestScroll = std::max(furthestScroll, list->verticalScrollBar()->value());
            lineShown = lineShown || !list->landingLine().isEmpty();
        });
        watch.start(30);
        QProcess drag;
        drag.start("xdotool", {"mousemove", QString::number(start.x()), QString::number(start.y()),
                               "mousedown", "1", "sleep", "0.3", "mousemove",
                               QString::number(start.x()), QString::number(start.y() + 20), "sleep",
                               "0.3", "mousemove", QString::number(edge.x()),
                               QString::number(edge.y()), "sleep", "2.5", "mouseup", "1"});
        QTRY_VERIFY_WITH_TIMEOUT(drag.state() == QProcess::NotRunning, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(list->item(0)->text() != "000.jpg", 2000);
        watch.stop();

        const QList<QListWidgetItem*> moved = list->findItems("000.jpg", Qt::MatchExactly);
        QCOMPARE(moved.size(), 1);
        const int landed = list->row(moved.front());
        QVERIFY2(furthestScroll > 0, "the list did not scroll");
        QVERIFY2(lineShown, "no landing line was shown");
        QVERIFY2(landed > 2 * shownRows, qPrintable(QString("landed at %1").arg(landed)));
        QCOMPARE(list->currentRow(), landed);
        QCOMPARE(QString::fromStdString(window.images()[static_cast<std::size_t>(landed)]),
                 QString("000.jpg"));
    }

    // The real program, closed through the window manager (and by SIGTERM) a second into a
    // gallery run of a few hundred photos: it ends within two seconds and writes nothing more.
    void closingDuringAGalleryRunEndsTheProgramAtOnce()
    {
        const QString program = qEnvironmentVariable("PIXMOSA_PROGRAM");
        QVERIFY2(!program.isEmpty(), "PIXMOSA_PROGRAM names the program");
        QStringList names;
        for (int i = 0; i < 300; ++i) {
            names << QString("photo%1.jpg").arg(i, 3, 10, QChar('0'));
        }
        addFiles(names, test::encodeJpeg(test::patternImage(1600, 1200)));
        const QString pictures = QString::fromStdString(m_dir->path("pics"));

        for (const QString& way : {QString("alt+F4"), QString("SIGTERM")}) {
            QDir(pictures + "/Thumbs").removeRecursively();
            const std::string settings = m_dir->path("program-" + way.toStdString() + ".reg");
            RegistryFile registry(settings);
            storeSettings(registry);
            QProcess window;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QT_QPA_PLATFORM", "xcb");
            environment.insert("PIXMOSA_REGISTRY", QString::fromStdString(settings));
            environment.insert("PIXMOSA_TEXT_STORE",
                               QString::fromStdString(m_dir->path("program.dat")));
            window.setProcessEnvironment(environment);
            window.start(program);
            QVERIFY(window.waitForStarted());
            const QString id =
                xdotool({"search", "--sync", "--onlyvisible", "--name", "^Pixmosa v"})
                    .section('\n', 0, 0);
            QVERIFY2(!id.isEmpty(), "the program's window did not appear");
            xdotool({"windowactivate", "--sync", id});
            xdotool({"key", "--clearmodifiers", "alt+g"});
            QTRY_VERIFY_WITH_TIMEOUT(QDir(pictures + "/Thumbs").count() > 3, 20000);
            QTest::qWait(1000);

            QElapsedTimer closing;
            closing.start();
            if (way == "SIGTERM") {
                window.terminate();
            } else {
                xdotool({"windowactivate", "--sync", id});
                xdotool({"key", "--clearmodifiers", "alt+F4"});
            }
            const bool ended = window.waitForFinished(2000);
            const qint64 took = closing.elapsed();
            if (!ended) {
                window.kill();
                window.waitForFinished();
            }
            QVERIFY2(ended, qPrintable(way + ": still running after 2 s"));
            QVERIFY2(took <= 2000, qPrintable(way + QString(": %1 ms").arg(took)));

            const QStringList after = filesBelow(pictures);
            QTest::qWait(1000);
            QCOMPARE(filesBelow(pictures), after);
            QVERIFY(!after.join('\n').contains(".tmp-"));
            QVERIFY2(QDir(pictures + "/Thumbs").count() < 2 + 300, "the run was not stopped");
            QVERIFY(registry.readValue(kSettingsKey, "Top").has_value());
            QVERIFY(registry.readValue(kSettingsKey, "Left").has_value());
        }
    }

    // Every window and dialog opens within the screen's free area, whatever the scale, with the
    // buttons that end it in view; pictures of each go to PIXMOSA_SCREENSHOTS.
    void everyWindowAndDialogOpensWithinTheScreen()
    {
        TfrmMain& window = openOn({"a.jpg"});
        const QRect free = window.screen()->availableGeometry();
        const QString shots = qEnvironmentVariable("PIXMOSA_SCREENSHOTS");
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
        QStringList outside;
        const auto look = [&](QWidget* shown, const QString& name) {
            if (!QTest::qWaitForWindowExposed(shown)) {
                outside << name + " was not shown";
                return;
            }
            // The widget keeps the frame it first read, which can be the window manager's frame
            // before it was sized; the window's handle reads the frame again once it changed.
            // The window is fitted again once framed, which under load can take seconds.
            const QWindow* handle = shown->windowHandle();
            const auto framed = [handle] {
                const QMargins margins = handle->frameMargins();
                return margins.top() > 0 && margins.left() >= 0 && margins.right() >= 0 &&
                       margins.bottom() >= 0;
            };
            const bool settled = QTest::qWaitFor(
                [&] { return framed() && free.contains(handle->frameGeometry()); }, 15000);
            if (!settled && !framed()) {
                outside << name + " was not framed";
                return;
            }
            const QRect frame = handle->frameGeometry();
            if (!free.contains(frame)) {
                outside << QString("%1 at %2,%3 %4 x %5")
                               .arg(name)
                               .arg(frame.x())
                               .arg(frame.y())
                               .arg(frame.width())
                               .arg(frame.height());
            }
            for (const QAbstractButton* button : shown->findChildren<QAbstractButton*>()) {
                const QString text = button->text().remove('&');
                if (button->isVisible() && (text == "OK" || text == "Cancel") &&
                    !free.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()))) {
                    outside << name + ": " + text + " is off the screen";
                }
            }
            if (!shots.isEmpty()) {
                QDir().mkpath(shots);
                window.screen()
                    ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                    .save(QString("%1/fit-%2-%3x.png").arg(shots, name, scale));
            }
        };
        // A modal dialog is looked at once it shows, then cancelled.
        const auto lookAtModal = [&](const QString& name) {
            QTimer::singleShot(0, [&, name] {
                QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
                QWidget* dialog = QApplication::activeModalWidget();
                look(dialog, name);
                dialog->close();
            });
        };

        look(&window, "window");
        window.butHelpClick();
        look(window.helpWindow(), "help");
        window.helpWindow()->close();
        QtDialogs dialogs;
        lookAtModal("colour");
        (void)dialogs.chooseColour(&window, Qt::darkCyan);
        lookAtModal("text");
        (void)dialogs.askText(&window, "Image Prefix", "Type a prefix for the new name", "", 255,
                              DialogPlace::Screen);
        lookAtModal("folder");
        (void)dialogs.chooseFolder(&window, QDir::homePath());
        lookAtModal("message");
        dialogs.showError(&window, "Cannot create file /a/long/path/Gallery1.html: No space");
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join("; ")));
    }

    // Pictures of every page on a light and a dark palette, with the window manager's frame,
    // kept in PIXMOSA_SCREENSHOTS for people to look at.
    void screenshotsOfEveryPageOnLightAndDarkPalettes()
    {
        const QString shots = qEnvironmentVariable("PIXMOSA_SCREENSHOTS");
        if (shots.isEmpty()) {
            QSKIP("PIXMOSA_SCREENSHOTS names no folder");
        }
        QDir().mkpath(shots);
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
        const QPalette light = QApplication::palette();
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        for (const auto& [name, palette] :
             {std::pair(QString("light"), light), std::pair(QString("dark"), darkPalette())}) {
            QApplication::setPalette(palette);
            TfrmMain& window = openOn({"a.jpg"});
            window.UseGalleryCols->click();
            for (int i = 0; i < window.PageControl1->count(); ++i) {
                window.PageControl1->setCurrentIndex(i);
                QTest::qWait(150);
                const QRect frame = window.windowHandle()->frameGeometry();
                const QPixmap shot = window.screen()->grabWindow(0, frame.x(), frame.y(),
                                                                 frame.width(), frame.height());
                QVERIFY(
                    shot.save(QString("%1/%2-%3-%4x.png")
                                  .arg(shots, window.PageControl1->currentWidget()->objectName(),
                                       name, scale)));
            }
            m_window.reset();
        }
        QApplication::setPalette(light);
    }
};

}  // namespace pixmosa

int main(int argc, char** argv)
{
    const pixmosa::test::TempDir scratch;
    ::setenv("PIXMOSA_REGISTRY", scratch.path("registry.reg").c_str(), 1);
    ::setenv("PIXMOSA_TEXT_STORE", scratch.path("Pixmosa.dat").c_str(), 1);
    const pixmosa::test::RealDisplay display;
    if (!display.failure().empty()) {
        std::fprintf(stderr, "%s\n", display.failure().c_str());
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    pixmosa::RealDisplayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "real_display_test.moc"
