#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QFocusEvent>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <memory>

#include "catalogue/image_folder_lock.h"
#include "platform/registry_file.h"
#include "settings/store.h"
#include "settings/text_store.h"
#include "support/jpeg_fixtures.h"
#include "support/temp_dir.h"
#include "window/close_on_signals.h"
#include "window/help_window.h"
#include "window/main.h"
#include "window/scripted_dialogs.h"

namespace pixmosa {

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempDir> m_dir;
    std::unique_ptr<RegistryFile> m_registry;
    test::ScriptedDialogs m_dialogs;
    std::unique_ptr<TfrmMain> m_window;

    std::string storePath() const { return m_dir->path("Pixmosa.dat"); }

    TfrmMain& open()
    {
        m_window = std::make_unique<TfrmMain>(*m_registry, storePath(), m_dialogs);
        return *m_window;
    }

    void restart()
    {
        m_window->close();
        m_window.reset();
        open();
    }

    template <typename T>
    T* control(const char* name) const
    {
        T* found = m_window->findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no control %s", name);
        }
        return found;
    }

    QString text(const char* name) const
    {
        if (auto* spin = m_window->findChild<SpinEdit*>(name)) {
            return spin->textValue();
        }
        return control<QLineEdit>(name)->text();
    }

    // Types into a field and leaves it, as the user would.
    void typeAndLeave(const char* name, const QString& typed)
    {
        QWidget* widget = m_window->findChild<QWidget*>(name);
        if (auto* spin = qobject_cast<SpinEdit*>(widget)) {
            spin->setTextValue(typed);
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setText(typed);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
            memo->setPlainText(typed);
        }
        leave(widget);
    }

    static void leave(QWidget* widget, Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent focusOut(QEvent::FocusOut, reason);
        QApplication::sendEvent(widget, &focusOut);
    }

    std::int32_t storedNumber(const char* name) const
    {
        return ReadStoreInteger(*m_registry, kSettingsKey, name, -1).value();
    }

    void addImage(const std::string& name, int width, int height)
    {
        addFile(name, test::encodeJpeg(test::patternImage(width, height)));
    }

    void addFile(const std::string& name, const std::string& content)
    {
        QDir().mkpath(QString::fromStdString(m_dir->path("pics")));
        m_dir->write("pics/" + name, content);
    }

    void openOnImages(bool sorted = true)
    {
        QDir().mkpath(QString::fromStdString(m_dir->path("pics")));
        (void)WriteStoreString(*m_registry, kSettingsKey, "ImageDir", m_dir->path("pics"));
        (void)WriteStoreBool(*m_registry, kSettingsKey, "Sorted", sorted);
        (void)WriteStoreInteger(*m_registry, kSettingsKey, "ThumbSize", 10);
        open();
    }

    QStringList listed() const
    {
        QStringList names;
        auto* list = control<QListWidget>("ImageList");
        for (int i = 0; i < list->count(); ++i) {
            names << list->item(i)->text();
        }
        return names;
    }

    // The pointer moving over a control with no button held: the platform's pointer is put
    // there, and the control is told of the move.
    static void hover(QWidget* widget, QPoint at)
    {
        QCursor::setPos(widget->mapToGlobal(at));
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    static void showActive(QWidget& window)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    QRect previewAfterSelecting(int row)
    {
        control<QListWidget>("ImageList")->setCurrentRow(row);
        m_window->ImageListClick();
        return control<QLabel>("ImageArea")->geometry();
    }

    bool imageTabShown() const
    {
        return control<QTabWidget>("PageControl1")->indexOf(control<QWidget>("tabImage")) >= 0;
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

    void firstStartShowsTheDefaults()
    {
        TfrmMain& window = open();
        QCOMPARE(window.windowTitle(), QString("Pixmosa v0.1.0"));
        QCOMPARE(window.size(), QSize(455, 371));
        QCOMPARE(window.pos(), QPoint(200, 150));
        QCOMPARE(text("ThumbSize"), QString("100"));
        QCOMPARE(text("CellPadding"), QString("20"));
        QCOMPARE(text("IndexFile"), QString("index.html"));
        QCOMPARE(text("ImageTitle"), QString("Picture Gallery"));
        QCOMPARE(text("ImageDir"), QString());
        QVERIFY(
            control<QPlainTextEdit>("GalleryHeader")->toPlainText().contains("Picture Gallery"));
        QCOMPARE(control<QPlainTextEdit>("IndexFooter")->toPlainText().count('\n'), 6);
        QCOMPARE(control<QComboBox>("BannerBank")->count(), 0);
        QVERIFY(!control<QPlainTextEdit>("BannerCode")->isEnabled());
        QCOMPARE(control<QListWidget>("ImageList")->count(), 0);
        QVERIFY(imageTabShown());
        QVERIFY(control<QWidget>("ScrollingText")->isVisibleTo(&window));
        QVERIFY(m_dialogs.errors.isEmpty());
    }

    void changedValuesSurviveARestart()
    {
        open();
        typeAndLeave("ThumbPrefix", "T_");
        typeAndLeave("GalleryHeader", "<H1>Mine</H1>");
        m_window->move(321, 123);
        restart();
        QCOMPARE(text("ThumbPrefix"), QString("T_"));
        QCOMPARE(control<QPlainTextEdit>("GalleryHeader")->toPlainText(),
                 QString("<H1>Mine</H1>\n"));
        QCOMPARE(m_window->pos(), QPoint(321, 123));
    }

    // Lines that look like the text store's own structure come back as typed, and the other
    // texts stay theirs.
    void memoLinesThatLookLikeStructureSurviveARestart()
    {
        open();
        typeAndLeave("GalleryFooter", "<P>foot</P>");
        typeAndLeave("GalleryHeader", "[Gallery Footer]\n####\n\\####");
        restart();
        QCOMPARE(control<QPlainTextEdit>("GalleryHeader")->toPlainText(),
                 QString("[Gallery Footer]\n####\n\\####\n"));
        QCOMPARE(control<QPlainTextEdit>("GalleryFooter")->toPlainText(), QString("<P>foot</P>\n"));
    }

    void numberFieldsAreClampedWhenLeft()
    {
        open();
        typeAndLeave("ThumbSize", "500");
        QCOMPARE(text("ThumbSize"), QString("400"));
        QCOMPARE(storedNumber("ThumbSize"), 400);

        typeAndLeave("Rows", "");
        QCOMPARE(text("Rows"), QString("1"));
        QCOMPARE(storedNumber("Rows"), 1);
        typeAndLeave("CellSpacing", "abc");
        QCOMPARE(text("CellSpacing"), QString("0"));
        QCOMPARE(storedNumber("CellSpacing"), 0);
        QCOMPARE(m_window->currentSettings().Rows, 1);
    }

    void switchingWindowsLeavesNoField()
    {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
            addFile(name, "");
        }
        openOnImages();
        control<QListWidget>("ImageList")->setCurrentRow(0);
        m_window->ImageListDragDrop(std::nullopt);
        control<SpinEdit>("ThumbSize")->setTextValue("500");
        leave(control<SpinEdit>("ThumbSize"), Qt::ActiveWindowFocusReason);
        leave(control<QLineEdit>("ImageDir"), Qt::PopupFocusReason);
        QCOMPARE(storedNumber("ThumbSize"), 10);
        QCOMPARE(listed(), QStringList({"b.jpg", "c.jpg", "a.jpg"}));
        QCOMPARE(m_window->currentSettings().ThumbSize, 400);

        control<QCheckBox>("chkImageShell")->click();
        QCOMPARE(listed(), QStringList({"b.jpg", "c.jpg", "a.jpg"}));
        QCOMPARE(control<QListWidget>("ImageList")->currentRow(), 2);
    }

    void typedZeroRowsShowsTheMessage()
    {
        open();
        control<SpinEdit>("Rows")->setTextValue("0");
        QCOMPARE(m_dialogs.messages, QStringList{"You cannot have zero rows or zero columns"});
        QCOMPARE(control<QLabel>("PagesReqd")->text(), QString("Images:0  Pages:0"));
    }

    void valueOfTheWrongTypeStopsTheLoad()
    {
        (void)WriteStoreString(*m_registry, kSettingsKey, "Rows", "5");
        (void)WriteStoreInteger(*m_registry, kSettingsKey, "Columns", 9);
        (void)WriteStoreString(*m_registry, kSettingsKey, "ImageTitle", "Mine");
        open();
        QCOMPARE(m_dialogs.errors, QStringList{"Invalid data type for 'Rows'"});
        QCOMPARE(text("Cols"), QString("5"));
        QCOMPARE(text("ImageTitle"), QString());
        QCOMPARE(text("IndexFile"), QString("index.html"));

        (void)WriteStoreString(*m_registry, kSettingsKey, "Sorted", "yes");
        m_dialogs.errors.clear();
        restart();
        QCOMPARE(m_dialogs.errors, QStringList{"Invalid data type for 'Sorted'"});
        QCOMPARE(text("IndexFile"), QString("welcome.html"));
        QCOMPARE(text("ThumbSize"), QString("120"));
    }

    void imageShellShowsAndHidesTheImageTab()
    {
        open();
        auto* shell = control<QCheckBox>("chkImageShell");
        shell->click();
        QVERIFY(!imageTabShown());
        QCOMPARE(storedNumber("UseImageShell"), 0);
        restart();
        QVERIFY(!imageTabShown());
        control<QCheckBox>("chkImageShell")->click();
        QVERIFY(imageTabShown());
        QCOMPARE(storedNumber("UseImageShell"), 1);
    }

    void defaultColorsHidesTheGroupAndKeepsTheColours()
    {
        open();
        m_dialogs.colours.push_back(QColor(0, 0, 128));
        control<ColourButton>("butGalleryBackColor")->click();
        QCOMPARE(storedNumber("GalleryBackColor"), 8388608);

        control<QCheckBox>("chkDefColors")->click();
        QVERIFY(control<QWidget>("GalleryColors")->isHidden());
        control<QCheckBox>("chkDefColors")->click();
        QVERIFY(!control<QWidget>("GalleryColors")->isHidden());
        QCOMPARE(control<ColourButton>("butGalleryBackColor")->colour(), 8388608);
        QCOMPARE(storedNumber("GalleryBackColor"), 8388608);
        QCOMPARE(control<QLineEdit>("edtTextColor")->palette().color(QPalette::Base),
                 QColor(0, 0, 128));
    }

    // What the user sees: the ground drawn behind each sample's caption.
    static QColor groundOf(QWidget* sample)
    {
        const QImage shown = sample->grab().toImage();
        return shown.pixelColor(shown.width() - 2, shown.height() / 2);
    }

    void samplesShowTheirBackgroundAtStartAndAfterAChoice()
    {
        TfrmMain& window = open();
        showActive(window);
        window.PageControl1->setCurrentWidget(window.tabGallery);
        for (QLineEdit* sample : window.GalleryColors->samples()) {
            QCOMPARE(groundOf(sample), QColor(0, 0, 128));
        }
        QCOMPARE(groundOf(window.GalleryColors->samples()[0]), QColor(0, 0, 128));

        m_dialogs.colours.push_back(QColor(255, 0, 0));
        QTest::mouseClick(window.GalleryColors->background(), Qt::LeftButton);
        for (QLineEdit* sample : window.GalleryColors->samples()) {
            QCOMPARE(groundOf(sample), QColor(255, 0, 0));
        }
        const QImage swatch = window.GalleryColors->swatch()->grab().toImage();
        QCOMPARE(swatch.pixelColor(swatch.width() - 3, swatch.height() - 3), QColor(255, 0, 0));
        // The caption's own colour is the foreground's (aqua by default), drawn somewhere.
        const QImage caption = window.GalleryColors->samples()[0]->grab().toImage();
        bool aquaShown = false;
        for (int x = 0; x < caption.width() && !aquaShown; ++x) {
            for (int y = 0; y < caption.height() && !aquaShown; ++y) {
                const QColor pixel = caption.pixelColor(x, y);
                aquaShown = pixel.green() > 200 && pixel.blue() > 200 && pixel.red() < 100;
            }
        }
        QVERIFY(aquaShown);

        window.PageControl1->setCurrentWidget(window.tabImage);
        QTest::mouseClick(window.UseGalleryCols, Qt::LeftButton);
        m_dialogs.colours.push_back(QColor(0, 128, 0));
        QTest::mouseClick(window.ImageColors->background(), Qt::LeftButton);
        for (QLineEdit* sample : window.ImageColors->samples()) {
            QCOMPARE(groundOf(sample), QColor(0, 128, 0));
        }
        QCOMPARE(storedNumber("ImageBackColor"), 0x008000);
    }

    void overflowTipStaysOverTheFieldUntilTheUserActs()
    {
        TfrmMain& window = open();
        showActive(window);
        QLineEdit* prefix = window.ThumbPrefix;
        prefix->setText(QString("Long-").repeated(20));
        auto* tip = window.findChild<OverflowTip*>();
        QVERIFY(tip != nullptr);

        hover(prefix, QPoint(10, 5));
        hover(prefix, QPoint(12, 5));
        QTRY_VERIFY_WITH_TIMEOUT(tip->isShowing(), 2000);
        QTest::qWait(300);
        QVERIFY(tip->isShowing());
        const QWidget* shown = tip->tipWidget();
        QCOMPARE(shown->pos(), prefix->mapToGlobal(QPoint(0, 0)));
        QCOMPARE(shown->height(), prefix->height());
        QVERIFY(shown->windowFlags().testFlag(Qt::WindowTransparentForInput));
        QTest::keyClick(prefix, Qt::Key_End);
        QVERIFY(!tip->isShowing());

        // A list entry wider than the list shows whole over its own line.
        addImage("a-very-long-name-of-a-photograph-from-the-trip.jpg", 40, 30);
        (void)WriteStoreString(*m_registry, kSettingsKey, "ImageDir", m_dir->path("pics"));
        window.ImageDir->setText(QString::fromStdString(m_dir->path("pics")));
        window.ImageDirExit();
        QWidget* lines = window.ImageList->viewport();
        const QRect line = window.ImageList->visualItemRect(window.ImageList->item(0));
        // The line is as wide as its text, so its centre lies beyond the list's right edge.
        hover(lines, QPoint(20, line.center().y()));
        hover(lines, QPoint(21, line.center().y()));
        QTRY_VERIFY_WITH_TIMEOUT(tip->isShowing(), 2000);
        QCOMPARE(shown->pos(), lines->mapToGlobal(line.topLeft()));
        QCOMPARE(shown->height(), line.height());
        QTest::mouseClick(lines, Qt::LeftButton, Qt::NoModifier, line.center());
        QVERIFY(!tip->isShowing());

        // A short text shows no tip.
        prefix->setText("Thumb-");
        hover(prefix, QPoint(14, 5));
        hover(prefix, QPoint(16, 5));
        QTest::qWait(1000);
        QVERIFY(!tip->isShowing());
    }

    void closingStoresTheFieldBeingTypedAndThePosition()
    {
        TfrmMain& window = open();
        showActive(window);
        window.ThumbPrefix->setFocus();
        QTest::keyClicks(window.ThumbPrefix, "Big");
        window.move(260, 210);
        QTest::mouseClick(window.butExit, Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(ReadStoreString(*m_registry, kSettingsKey, "ThumbPrefix", "").value(),
                 std::string("Thumb-Big"));
        QCOMPARE(storedNumber("Left"), window.x());
        QCOMPARE(storedNumber("Top"), window.y());

        TfrmMain& again = open();
        QCOMPARE(again.ThumbPrefix->text(), QString("Thumb-Big"));
        closeOnSignals(again);
        showActive(again);
        again.PageControl1->setCurrentWidget(again.tabGallery);
        again.GalleryTitle->setFocus();
        QTest::keyClicks(again.GalleryTitle, " 2");
        ::raise(SIGTERM);
        QTRY_VERIFY(!again.isVisible());
        QCOMPARE(ReadStoreString(*m_registry, kSettingsKey, "GalleryTitle", "").value(),
                 std::string("Picture Gallery 2"));
    }

    void clampOnLeavingRowsUpdatesThePagesRequired()
    {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"}) {
            addImage(name, 40, 30);
        }
        openOnImages();
        showActive(*m_window);
        SpinEdit* rows = m_window->Rows;
        rows->setFocus();
        QTest::keyClick(rows, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(rows, "0");
        QCOMPARE(m_dialogs.messages.size(), 1);
        QCOMPARE(m_window->PagesReqd->text(), QString("Images:6  Pages:0"));
        QTest::keyClick(rows, Qt::Key_Tab);
        QCOMPARE(rows->textValue(), QString("1"));
        QCOMPARE(m_window->PagesReqd->text(), QString("Images:6  Pages:2"));
        QCOMPARE(storedNumber("Rows"), 1);
    }

    void tabReachesEveryShownControlInReadingOrderAndNothingHidden()
    {
        TfrmMain& window = open();
        showActive(window);
        window.ImageList->setFocus();
        QList<QWidget*> reached;
        for (int i = 0; i < 200; ++i) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused != nullptr);
            if (reached.contains(focused)) {
                break;
            }
            reached << focused;
            QVERIFY2(focused->isVisible(), qPrintable(focused->objectName()));
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QVERIFY(!reached.contains(window.butImgDir));
        const QList<QWidget*> thumbnails{
            window.ImageList,      window.ImageDir,    window.butBrowse,
            window.ThumbsDir,      window.ThumbPrefix, window.ThumbSize,
            window.Rows,           window.Cols,        window.CellSpacing,
            window.CellPadding,    window.TableBorder, window.butTableBackColor,
            window.TableBackImage, window.chkSort,     window.DisableBanner,
            window.butRenameImg};
        QCOMPARE(reached.mid(0, thumbnails.size()), thumbnails);

        // Every shown tab's controls can be reached too.
        for (QWidget* tab :
             {window.tabGallery, window.tabImage, window.tabIndexPage, window.tabAdvanced}) {
            window.PageControl1->setCurrentWidget(tab);
            QList<QWidget*> visited;
            QWidget* first = tab->nextInFocusChain();
            first->setFocus();
            for (int i = 0; i < 100 && QApplication::focusWidget() != nullptr; ++i) {
                QWidget* focused = QApplication::focusWidget();
                if (visited.contains(focused)) {
                    break;
                }
                visited << focused;
                QVERIFY2(focused->isVisible(), qPrintable(focused->objectName()));
                QTest::keyClick(focused, Qt::Key_Tab);
            }
            for (QWidget* control : tab->findChildren<QWidget*>()) {
                if (control->isVisible() && (control->focusPolicy() & Qt::TabFocus) &&
                    control->isEnabled() && control->focusProxy() == nullptr) {
                    QVERIFY2(visited.contains(control),
                             qPrintable(tab->objectName() + ": " + control->objectName()));
                }
            }
        }
    }

    void fieldsAreNamedByTheirLabelsAndColourButtonsByTheirColour()
    {
        TfrmMain& window = open();
        const auto labelOf = [&window](QWidget* field) -> QString {
            for (QLabel* label : window.findChildren<QLabel*>()) {
                if (label->buddy() == field) {
                    return label->text();
                }
            }
            return QString();
        };
        const std::pair<QWidget*, const char*> labelled[] = {
            {window.Rows, "Rows"},
            {window.Cols, "Columns"},
            {window.CellSpacing, "Cell spacing"},
            {window.CellPadding, "Cell padding"},
            {window.TableBorder, "Border"},
            {window.butTableBackColor, "Table backcolor"},
            {window.GalleryTitle, "Page Title"},
            {window.GalleryPrefix, "Page prefix"},
            {window.PageExt, "Ext"},
            {window.GalleryBackImage, "Background image"},
            {window.HeaderCode, "Header code"},
            {window.BannerBank, "Banner bank name"},
            {window.ImageDir, "Image directory"},
        };
        for (const auto& [field, text] : labelled) {
            QCOMPARE(labelOf(field), QString(text));
            if (field != window.butTableBackColor) {
                QCOMPARE(field->accessibleName(), QString(text));
            }
        }
        // Screen readers hear the colour a button holds, and so does its tip.
        QCOMPARE(window.GalleryColors->background()->accessibleName(),
                 QString("Gallery background colour, #000080"));
        QCOMPARE(window.ImageColors->visitedLink()->toolTip(),
                 QString("Image visited link colour, #800000"));
        QCOMPARE(window.butTableBackColor->toolTip(), QString("Table background colour, #C0C0C0"));
        for (const ColourButton* button : window.findChildren<ColourButton*>()) {
            QVERIFY(button->accessibleName().contains(" colour, #"));
            QCOMPARE(button->toolTip(), button->accessibleName());
        }
        m_dialogs.colours.push_back(QColor(0, 0x33, 0x66));
        QTest::mouseClick(window.GalleryColors->background(), Qt::LeftButton);
        const QAccessibleInterface* chosen =
            QAccessible::queryAccessibleInterface(window.GalleryColors->background());
        QCOMPARE(chosen->text(QAccessible::Name), QString("Gallery background colour, #003366"));
    }

    // What a screen reader is told: the numbers the spin fields hold and their limits, the
    // page the tab control shows, and what the picture box is.
    void screenReadersHearValuesPagesAndThePreview()
    {
        TfrmMain& window = open();
        for (SpinEdit* spin : window.findChildren<SpinEdit*>()) {
            QAccessibleValueInterface* value =
                QAccessible::queryAccessibleInterface(spin)->valueInterface();
            QVERIFY2(value != nullptr, qPrintable(spin->objectName()));
            QCOMPARE(value->currentValue().toString(), spin->textValue());
            QCOMPARE(value->minimumValue().toInt(), spin->minimum());
            QCOMPARE(value->maximumValue().toInt(), spin->maximum());
        }
        QAccessibleValueInterface* size =
            QAccessible::queryAccessibleInterface(window.ThumbSize)->valueInterface();
        QCOMPARE(size->minimumValue().toInt(), 1);
        QCOMPARE(size->maximumValue().toInt(), 400);
        typeAndLeave("ThumbSize", "120");
        QCOMPARE(size->currentValue().toInt(), 120);

        const auto nameOf = [](QObject* object) {
            return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
        };
        QCOMPARE(nameOf(window.PageControl1), QString("Thumbnails"));
        window.PageControl1->setCurrentWidget(window.tabAdvanced);
        QCOMPARE(nameOf(window.PageControl1), QString("Advanced"));
        QCOMPARE(nameOf(window.ImageArea), QString("Preview of the selected image"));
        QCOMPARE(nameOf(window.GalleryColors->samples()[0]), QString("Gallery text colour sample"));
        QCOMPARE(nameOf(window.ImageColors->samples()[3]),
                 QString("Image active link colour sample"));
        QVERIFY(QAccessible::queryAccessibleInterface(window.ImageList)
                    ->text(QAccessible::Description)
                    .startsWith("To re-arrange un-check Sorted"));
        QCOMPARE(nameOf(control<QLabel>("StatusPanel")), QString("Status"));
        m_dialogs.texts = {QString("Holiday")};
        window.butAddBannerBankClick();
        QAccessibleInterface* banks = QAccessible::queryAccessibleInterface(window.BannerBank);
        QCOMPARE(banks->text(QAccessible::Name), QString("Banner bank name"));
        QCOMPARE(banks->text(QAccessible::Value), QString("Holiday"));
        QCOMPARE(banks->role(), QAccessible::ComboBox);
        QCOMPARE(banks->childCount(), 1);
    }

    // Tab goes round the fields of a page and never onto the tool bar, whose commands keep
    // their shortcuts: Tab and then Space past a page's last field cannot quit.
    void tabNeverReachesTheToolBar()
    {
        openOnImages();
        TfrmMain& window = *m_window;
        showActive(window);
        for (int page = 0; page < window.PageControl1->count(); ++page) {
            if (!window.PageControl1->isTabVisible(page)) {
                continue;
            }
            window.PageControl1->setCurrentIndex(page);
            for (int i = 0; i < 40; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QVERIFY2(QApplication::focusWidget()->parentWidget() != window.Panel1,
                         qPrintable(QApplication::focusWidget()->objectName()));
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QVERIFY(window.isVisible());
        }
        // A button's key clicks it a moment later, as a click that shows.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
        QTRY_COMPARE(m_dialogs.messages,
                     QStringList{"There are no JPG files in the selected directory"});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
        QTRY_COMPARE(m_dialogs.opened.size(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(m_dialogs.messages.size(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!window.isVisible());
    }

    // When no browser can show the page, the status bar says so, after the run has ended as
    // always. The desktop's own opener tells why: what it says, or that it cannot be started.
    void pageThatNoBrowserCanShowIsToldInTheStatusBar()
    {
        addImage("a.jpg", 40, 30);
        openOnImages();
        auto* status = control<QLabel>("StatusPanel");
        const QString index = QString::fromStdString(m_dir->path("pics/index.html"));
        const QString told = "Could not open " + index + " in a web browser: no browser here";
        m_dialogs.openFailure = QString("no browser here");
        m_window->butBrowserClick();
        QTRY_COMPARE(status->text(), told);
        status->clear();
        m_window->butHTMLClick();
        QCOMPARE(m_dialogs.beeps, 1);
        QTRY_COMPARE(status->text(), told);

        const test::TempDir bin;
        bin.write("xdg-open",
                  "#!/bin/sh\necho \"xdg-open: no method available for opening '$1'\" "
                  ">&2\nexit 3\n");
        std::filesystem::permissions(test::fileSystemPath(bin.path("xdg-open")),
                                     std::filesystem::perms::owner_all);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin.path()));
        QStringList reasons;
        QtDialogs desktop;
        desktop.openWithDesktop(index, [&](const QString& reason) { reasons << reason; });
        QTRY_COMPARE(reasons.size(), 1);
        std::filesystem::remove(test::fileSystemPath(bin.path("xdg-open")));
        desktop.openWithDesktop(index, [&](const QString& reason) { reasons << reason; });
        QTRY_COMPARE(reasons.size(), 2);
        qputenv("PATH", path);
        QCOMPARE(reasons[0], "xdg-open: no method available for opening '" + index + "'");
        QVERIFY2(reasons[1].startsWith("xdg-open could not be started: "), qPrintable(reasons[1]));
    }

    // A drag selects the entry it moves with no click; once dropped, the preview shows it.
    void droppedEntryIsShownInThePreview()
    {
        addImage("a.jpg", 40, 30);
        addImage("b.jpg", 30, 40);
        openOnImages();
        auto* list = control<QListWidget>("ImageList");
        QLabel* preview = m_window->ImageArea;
        list->setCurrentRow(0);
        m_window->ImageListClick();
        QTRY_VERIFY(!preview->pixmap().isNull());
        QVERIFY(preview->width() > preview->height());
        list->setCurrentRow(1);
        m_window->ImageListDragDrop(0);
        QCOMPARE(listed(), QStringList({"b.jpg", "a.jpg"}));
        QTRY_VERIFY(preview->height() > preview->width());
    }

    // Without an image directory the folder dialog opens on the user's pictures, or at home.
    void folderDialogStartsInThePicturesFolder()
    {
        const test::TempDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QByteArray::fromStdString(home.path()));
        open();
        m_window->butImgDirClick();
        QDir().mkpath(QString::fromStdString(home.path("Pictures")));
        m_window->butImgDirClick();
        qputenv("HOME", oldHome);
        QCOMPARE(m_dialogs.presets, QStringList({QString::fromStdString(home.path()),
                                                 QString::fromStdString(home.path("Pictures"))}));
    }

    // The keyboard starts on the shown page's first field, so the first Space or Return cannot
    // quit, and each page switch lands on the new page's first field.
    void focusStartsOnThePageAndFollowsEachSwitch()
    {
        TfrmMain& window = open();
        showActive(window);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.ImageDir));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(window.isVisible());

        const std::pair<Qt::Key, QWidget*> steps[] = {
            {Qt::Key_Tab, window.GalleryTitle},     {Qt::Key_Tab, window.ImageTitle},
            {Qt::Key_Tab, window.IndexFile},        {Qt::Key_Tab, window.HeaderCode},
            {Qt::Key_Backtab, window.IndexFile},    {Qt::Key_Backtab, window.ImageTitle},
            {Qt::Key_Backtab, window.GalleryTitle}, {Qt::Key_Backtab, window.ImageDir},
        };
        for (const auto& [key, expected] : steps) {
            QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
    }

    // The share of a control's pixels in the Gallery button's green.
    static double greenShare(QWidget* control)
    {
        const QImage image = control->grab().toImage();
        int green = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                green += pixel.green() > 100 && pixel.red() < 60 && pixel.blue() < 60 ? 1 : 0;
            }
        }
        return static_cast<double>(green) / (image.width() * image.height());
    }

    void blockedCommandsAllLookBlocked()
    {
        TfrmMain& window = open();
        showActive(window);
        QVERIFY(greenShare(window.butHTML) > 0.3);
        double during = -1;
        m_dialogs.whileShowingMessage = [&] {
            QVERIFY(!window.butHTML->isEnabled());
            during = greenShare(window.butHTML);
        };
        window.butHTMLClick();
        QCOMPARE(m_dialogs.messages.size(), 1);
        QVERIFY2(during >= 0 && during < 0.02, qPrintable(QString::number(during)));
        QVERIFY(greenShare(window.butHTML) > 0.3);
    }

    // The contrast of a colour with another, as the web's guidelines reckon it (1 to 21).
    static double contrast(const QColor& a, const QColor& b)
    {
        const auto luminance = [](const QColor& colour) {
            const auto linear = [](double channel) {
                return channel <= 0.03928 ? channel / 12.92
                                          : std::pow((channel + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
                   0.0722 * linear(colour.blueF());
        };
        const double first = luminance(a) + 0.05;
        const double second = luminance(b) + 0.05;
        return std::max(first, second) / std::min(first, second);
    }

    void exitGlyphReadsOnLightAndDarkPalettes()
    {
        TfrmMain& window = open();
        const QImage glyph = window.butExit->icon().pixmap(32).toImage();
        for (const QColor& ground : {QColor(0xEF, 0xEF, 0xEF), QColor(0x35, 0x35, 0x35)}) {
            double best = 1;
            for (int y = 0; y < glyph.height(); ++y) {
                for (int x = 0; x < glyph.width(); ++x) {
                    if (glyph.pixelColor(x, y).alpha() == 255) {
                        best = std::max(best, contrast(glyph.pixelColor(x, y), ground));
                    }
                }
            }
            QVERIFY2(best >= 4.5, qPrintable(ground.name() + " " + QString::number(best)));
        }
    }

    void escapeClosesTheHelpWindow()
    {
        TfrmMain& window = open();
        window.butHelpClick();
        HelpWindow* help = window.helpWindow();
        showActive(*help);
        QTest::keyClick(help->browser(), Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    // The platform's own dialog, answered by closing it once it has been measured.
    void textDialogIsWideEnoughForItsTitleAndALongName()
    {
        QtDialogs dialogs;
        int width = 0;
        QTimer::singleShot(200, [&width] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                width = dialog->width();
                dialog->reject();
            }
        });
        const std::optional<QString> typed = dialogs.askText(
            nullptr, "New Banner Bank", "Add Banner Bank", QString(), 255, DialogPlace::Window);
        QVERIFY(!typed);
        const QFontMetrics metrics(QApplication::font());
        QVERIFY2(width >= metrics.horizontalAdvance("New Banner Bank") + 120,
                 qPrintable(QString::number(width)));
        QVERIFY(width >= metrics.horizontalAdvance(QString(40, 'n')));
    }

    void frameOffersNeitherMinimiseNorMaximise()
    {
        const Qt::WindowFlags flags = open().windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void folderDialogHasNoTitleAndRenameOpensOnTheScreen()
    {
        open();
        const std::unique_ptr<QFileDialog> folders = makeFolderDialog(m_window.get(), "/tmp");
        QCOMPARE(folders->windowTitle(), QString());
        QCOMPARE(folders->fileMode(), QFileDialog::Directory);

        m_window->butRenameImg->click();
        m_dialogs.texts = {std::nullopt};
        m_window->butAddBannerBankClick();
        QCOMPARE(m_dialogs.places,
                 (std::vector<DialogPlace>{DialogPlace::Screen, DialogPlace::Window}));
    }

    void hidingAColourGroupKeepsTheFieldsInPlace()
    {
        TfrmMain& window = open();
        showActive(window);
        window.PageControl1->setCurrentWidget(window.tabGallery);
        const int top = window.GalleryTitle->y();
        QTest::mouseClick(window.chkDefColors, Qt::LeftButton);
        QVERIFY(window.GalleryColors->isHidden());
        QCOMPARE(window.GalleryTitle->y(), top);
    }

    void colourDialogOffersTheColourLastConfirmed()
    {
        open();
        m_dialogs.colours = {QColor(255, 0, 0), std::nullopt};
        control<ColourButton>("butGalleryBackColor")->click();
        control<ColourButton>("butGalleryLinkColor")->click();
        QCOMPARE(m_dialogs.offeredColours.size(), std::size_t(2));
        QCOMPARE(m_dialogs.offeredColours[0], QColor(Qt::black));
        QCOMPARE(m_dialogs.offeredColours[1], QColor(255, 0, 0));
        QCOMPARE(storedNumber("GalleryBackColor"), 255);
        QCOMPARE(storedNumber("GalleryLinkColor"), -1);
    }

    void bannerBanksAreAddedRefusedChosenAndDeleted()
    {
        open();
        auto* code = control<QPlainTextEdit>("BannerCode");
        auto* banks = control<QComboBox>("BannerBank");
        m_dialogs.texts = {QString(), QString("Spring")};
        m_window->butAddBannerBankClick();
        QCOMPARE(m_dialogs.asked,
                 QStringList({"New Banner Bank | Add Banner Bank |  | 255",
                              "New Banner Bank | Please enter a name for banner bank. |  | 255"}));
        QVERIFY(code->isEnabled());
        typeAndLeave("BannerCode", "<B>spring</B>");

        m_dialogs.asked.clear();
        m_dialogs.texts = {QString("spring"), std::nullopt};
        m_window->butAddBannerBankClick();
        QCOMPARE(m_dialogs.asked.last(),
                 QString("New Banner Bank | The name already exists. Please select a new one. | "
                         "spring | 255"));
        QCOMPARE(banks->count(), 1);
        QCOMPARE(code->toPlainText(), QString());

        m_dialogs.texts = {QString("Autumn")};
        m_window->butAddBannerBankClick();
        code->setPlainText("<I>autumn</I>");
        leave(code);
        banks->setCurrentIndex(0);
        m_window->BannerBankChange();
        QCOMPARE(code->toPlainText(), QString("<B>spring</B>\n"));
        QCOMPARE(LoadText(storePath(), "Autumn").value(), std::string("<I>autumn</I>\r\n"));

        banks->setCurrentIndex(1);
        m_window->BannerBankChange();
        m_window->butDeleteBannerBankClick();
        QCOMPARE(banks->count(), 1);
        QCOMPARE(banks->currentText(), QString("Spring"));
        QCOMPARE(code->toPlainText(), QString("<B>spring</B>\n"));
        QCOMPARE(LoadText(storePath(), "Banner Banks").value(), std::string("Spring\r\n"));
    }

    void previewFitsEachPictureFromTheBoxBefore()
    {
        addImage("a.jpg", 1600, 1200);
        addImage("b.jpg", 1200, 1600);
        openOnImages();
        QCOMPARE(previewAfterSelecting(0), QRect(0, 196, 125, 94));
        QCOMPARE(previewAfterSelecting(1), QRect(28, 196, 70, 94));
        QCOMPARE(previewAfterSelecting(0), QRect(28, 196, 70, 52));
        // The picture is decoded off the window's thread and comes a moment later.
        QTRY_VERIFY(!control<QLabel>("ImageArea")->pixmap().isNull());
        QCOMPARE(control<QLabel>("ImageArea")->pixmap().size(), QSize(70, 52));

        m_dir->write("pics/b.jpg", "no picture");
        previewAfterSelecting(1);
        QVERIFY(control<QLabel>("ImageArea")->pixmap().isNull());
        QVERIFY(m_dialogs.errors.isEmpty());
        QFile::remove(QString::fromStdString(m_dir->path("pics/a.jpg")));
        previewAfterSelecting(0);
        QCOMPARE(
            m_dialogs.errors,
            QStringList{QString::fromStdString("Cannot open file " + m_dir->path("pics/a.jpg") +
                                               ": No such file or directory.")});
    }

    void previewShowsATurnedPhotoUpright()
    {
        // Stored on its side, red on the left and blue on the right; a quarter turn clockwise
        // stands it upright with red at the top.
        test::TestImage sideways{160, 120, 3, {}};
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 160; ++x) {
                const bool left = x < 80;
                sideways.pixels.insert(sideways.pixels.end(),
                                       {static_cast<unsigned char>(left ? 220 : 20), 20,
                                        static_cast<unsigned char>(left ? 20 : 220)});
            }
        }
        addFile("turned.jpg", test::encodeJpegWithOrientation(sideways, 6));
        openOnImages();

        QCOMPARE(previewAfterSelecting(0), QRect(24, 196, 78, 104));
        QTRY_VERIFY(!control<QLabel>("ImageArea")->pixmap().isNull());
        const QImage shown = control<QLabel>("ImageArea")->pixmap().toImage();
        QCOMPARE(shown.size(), QSize(78, 104));
        const QColor top = shown.pixelColor(39, 10);
        const QColor bottom = shown.pixelColor(39, 94);
        QVERIFY2(top.red() > 180 && top.blue() < 60, qPrintable(top.name()));
        QVERIFY2(bottom.blue() > 180 && bottom.red() < 60, qPrintable(bottom.name()));
    }

    void droppingAnEntryMovesIt()
    {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) {
            addFile(name, "");
        }
        openOnImages();
        QCOMPARE(listed(), QStringList({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}));
        auto* list = control<QListWidget>("ImageList");
        list->setCurrentRow(1);
        m_window->ImageListDragDrop(4);
        QCOMPARE(listed(), QStringList({"a.jpg", "c.jpg", "d.jpg", "e.jpg", "b.jpg"}));
        QCOMPARE(list->currentRow(), 4);
        list->setCurrentRow(0);
        m_window->ImageListDragDrop(std::nullopt);
        QCOMPARE(listed(), QStringList({"c.jpg", "d.jpg", "e.jpg", "b.jpg", "a.jpg"}));
    }

    // Ctrl+Up and Ctrl+Down move the selected entry one place, as a drop on its neighbour
    // would; a long list is reordered this way entry by entry without rebuilding it.
    void ctrlArrowsMoveTheSelectedEntryOnePlace()
    {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
            addFile(name, "");
        }
        openOnImages();
        auto* list = control<QListWidget>("ImageList");
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(listed(), QStringList({"b.jpg", "a.jpg", "c.jpg"}));
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(listed(), QStringList({"b.jpg", "c.jpg", "a.jpg"}));
        QCOMPARE(list->currentRow(), 2);
        QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(listed(), QStringList({"b.jpg", "a.jpg", "c.jpg"}));
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(listed(), QStringList({"b.jpg", "a.jpg", "c.jpg"}));
        QCOMPARE(list->currentRow(), 0);

        QStringList many;
        for (int i = 0; i < 2000; ++i) {
            many << QString("%1.jpg").arg(i, 4, 10, QChar('0'));
            addFile(many.back().toStdString(), "");
        }
        m_window->ImageDirExit();
        const QString last = list->item(list->count() - 1)->text();
        list->setCurrentRow(list->count() - 1);
        for (int i = 0; i < 2002; ++i) {
            QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
        }
        QCOMPARE(list->item(0)->text(), last);
        QCOMPARE(listed().mid(1, 3), QStringList({"0000.jpg", "0001.jpg", "0002.jpg"}));
        QCOMPARE(QString::fromStdString(m_window->images().front()), last);
    }

    void renameAsksForAPrefixAndNumbersTheList()
    {
        for (const char* name : {"b.jpg", "a.JPG", "c.jpg"}) {
            addFile(name, name);
        }
        openOnImages();
        m_dialogs.texts = {std::nullopt, QString("Trip-")};
        m_window->butRenameImgClick();
        QCOMPARE(listed(), QStringList({"a.JPG", "b.jpg", "c.jpg"}));
        m_window->butRenameImgClick();
        QCOMPARE(m_dialogs.asked.first(),
                 QString("Image Prefix | Type a prefix for the new name |  | 255"));
        QCOMPARE(listed(), QStringList({"Trip-1.jpg", "Trip-2.jpg", "Trip-3.jpg"}));
        QCOMPARE(m_dir->read("pics/Trip-1.jpg"), std::string("a.JPG"));
    }

    void galleryAndThumbnailsRunThroughTheWindow()
    {
        addImage("a.jpg", 40, 30);
        addImage("b.jpg", 30, 40);
        openOnImages();
        QCOMPARE(control<QLabel>("PagesReqd")->text(), QString("Images:2  Pages:1"));
        QVERIFY(m_dir->exists("pics/Thumbs"));

        m_window->butMakeThumbsClick();
        QCOMPARE(control<QLabel>("StatusPanel")->text(), QString("Finished creating thumbnails"));
        QVERIFY(m_dir->exists("pics/Thumbs/Thumb-b.jpg"));

        m_window->butHTMLClick();
        QCOMPARE(control<QLabel>("StatusPanel")->text(), QString("Finished"));
        QVERIFY(m_dir->exists("pics/Gallery1.html"));
        QVERIFY(m_dir->exists("pics/b.html"));
        QCOMPARE(m_dialogs.opened,
                 QStringList{QString::fromStdString(m_dir->path("pics/index.html"))});
        QCOMPARE(m_dialogs.beeps, 2);
        QVERIFY(m_dialogs.errors.isEmpty());
    }

    void secondCommandDuringARunDoesNothing()
    {
        addImage("a.jpg", 40, 30);
        openOnImages();
        bool triedDuringRun = false;
        QTimer::singleShot(0, m_window.get(), [&] {
            triedDuringRun = m_window->commandRunning();
            control<QToolButton>("butHTML")->click();
            m_window->butMakeThumbsClick();
        });
        m_window->butHTMLClick();
        QVERIFY(triedDuringRun);
        QCOMPARE(m_dialogs.opened.size(), 1);
        QCOMPARE(m_dialogs.beeps, 1);
        QVERIFY(control<QToolButton>("butHTML")->isEnabled());
    }

    // Another program's command in the image directory: each command waits, telling why, with
    // the window responsive; renaming then tells nothing, and closing ends the wait.
    void commandsWaitForAnotherProgramWorkingInTheFolder()
    {
        addImage("a.jpg", 40, 30);
        openOnImages();
        auto* status = control<QLabel>("StatusPanel");
        const QString waiting = QString::fromStdString(waitingForFolderText(m_dir->path("pics")));
        std::optional<FolderLock> other;
        QString shown;
        const auto releaseLater = [&](bool close) {
            other = FolderLock::tryAcquire(m_dir->path("pics"));
            QTimer::singleShot(200, m_window.get(), [&, close] {
                shown = status->text();
                close ? (void)m_window->close() : other.reset();
            });
        };

        releaseLater(false);
        m_window->butMakeThumbsClick();
        QCOMPARE(shown, waiting);
        QCOMPARE(status->text(), QString("Finished creating thumbnails"));

        releaseLater(false);
        m_dialogs.texts = {QString("x")};
        m_window->butRenameImgClick();
        QCOMPARE(shown, waiting);
        QCOMPARE(status->text(), QString("Finished creating thumbnails"));
        QCOMPARE(listed(), QStringList{"x1.jpg"});

        releaseLater(true);
        m_window->butHTMLClick();
        QCOMPARE(status->text(), waiting);
        QVERIFY(!m_dir->exists("pics/index.html"));
    }

    void helpOpensAtTheContextOfTheFocusedControl()
    {
        TfrmMain& window = open();
        showActive(window);
        HelpWindow* help = window.helpWindow();
        const auto shownContext = [help] { return help->browser()->source().fragment(); };

        for (const auto& [name, context] : std::vector<std::pair<const char*, QString>>{
                 {"Rows", "121"}, {"edtVisitedLinkColor", "271"}, {"butGalleryLinkColor", "241"}}) {
            auto* focused = control<QWidget>(name);
            focused->setFocus();
            QTest::keyClick(focused, Qt::Key_F1);
            QVERIFY(help->isVisible());
            QCOMPARE(shownContext(), context);
        }
        window.PageControl1->setCurrentWidget(window.tabImage);
        window.UseGalleryCols->click();
        window.ImageColors->samples()[0]->setFocus();
        QTest::keyClick(window.ImageColors->samples()[0], Qt::Key_F1);
        QCOMPARE(shownContext(), QString("391"));

        QVERIFY(help->backButton()->isEnabled());
        help->backButton()->click();
        QCOMPARE(shownContext(), QString("241"));
        QVERIFY(help->forwardButton()->isEnabled());
        help->forwardButton()->click();
        QCOMPARE(shownContext(), QString("391"));
        control<QToolButton>("butHelp")->click();
        QCOMPARE(shownContext(), QString("10"));
        QVERIFY(help->browser()->toPlainText().contains("Rows"));
        QVERIFY(m_dialogs.opened.isEmpty());
    }

    void errorsGetAFullStopAfterALetter()
    {
        open();
        m_window->butHTMLClick();
        QCOMPARE(m_dialogs.messages,
                 QStringList{"There are no JPG files in the selected directory"});
        QCOMPARE(m_dialogs.beeps, 1);

        (void)WriteStoreString(*m_registry, kSettingsKey, "ImageDir", m_dir->path("pics"));
        QDir().mkpath(QString::fromStdString(m_dir->path("pics")));
        m_dir->write("pics/bad.jpg", "not a picture");
        restart();
        m_window->butMakeThumbsClick();
        QCOMPARE(m_dialogs.errors.size(), 1);
        QVERIFY(m_dialogs.errors.first().startsWith("JPEG error #"));
        QVERIFY(m_dialogs.errors.first().endsWith("."));
    }
};

}  // namespace pixmosa

QTEST_MAIN(pixmosa::MainWindowTest)
#include "main_window_test.moc"
