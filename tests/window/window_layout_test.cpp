#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QtTest>
#include <memory>

#include "platform/registry_file.h"
#include "support/temp_dir.h"
#include "window/main.h"
#include "window/scripted_dialogs.h"

namespace pixmosa {

// Renders every tab, keeps a picture of each in PIXMOSA_SCREENSHOTS (when set), and fails when a
// text does not fit its control. Run at 1x and, with QT_SCALE_FACTOR, at 1.5x.
class WindowLayoutTest : public QObject {
    Q_OBJECT

private:
    static QString whereClipped(QWidget* tab)
    {
        QStringList clipped;
        for (QLabel* label : tab->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->wordWrap() || label->text().isEmpty() ||
                !label->pixmap().isNull()) {
                continue;
            }
            const QStringList lines = label->text().remove('&').split('\n');
            for (const QString& line : lines) {
                if (label->fontMetrics().horizontalAdvance(line) > label->contentsRect().width()) {
                    clipped << "label " + line;
                }
            }
        }
        for (QCheckBox* box : tab->findChildren<QCheckBox*>()) {
            if (box->isVisible() && box->sizeHint().width() > box->width()) {
                clipped << "check box " + box->text();
            }
        }
        for (QLineEdit* sample : tab->findChildren<QLineEdit*>()) {
            const bool isSample = sample->parentWidget()->objectName().startsWith("Shape");
            if (isSample && sample->isVisible() &&
                sample->fontMetrics().horizontalAdvance(sample->text()) + 4 > sample->width()) {
                clipped << "sample " + sample->text();
            }
        }
        return clipped.join(", ");
    }

private slots:
    void everyTextStandsWholeOnEveryTab()
    {
        const test::TempDir dir;
        RegistryFile registry(dir.path("registry.reg"));
        test::ScriptedDialogs dialogs;
        TfrmMain window(registry, dir.path("Pixmosa.dat"), dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Both colour groups shown, as they are on a first start with image colours on.
        window.UseGalleryCols->click();

        const QString shots = qEnvironmentVariable("PIXMOSA_SCREENSHOTS");
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
        }
        QTabBar* tabs = window.PageControl1->tabBar();
        for (int i = 0; i < window.PageControl1->count(); ++i) {
            QVERIFY2(tabs->rect().contains(tabs->tabRect(i)), qPrintable(tabs->tabText(i)));
            window.PageControl1->setCurrentIndex(i);
            QWidget* tab = window.PageControl1->currentWidget();
            QApplication::processEvents();
            const QString clipped = whereClipped(&window);
            QVERIFY2(clipped.isEmpty(), qPrintable(tab->objectName() + ": " + clipped));
            if (!shots.isEmpty()) {
                QVERIFY(window.grab().save(
                    QString("%1/%2-%3x.png").arg(shots, tab->objectName(), scale)));
            }
        }
    }
};

}  // namespace pixmosa

QTEST_MAIN(pixmosa::WindowLayoutTest)
#include "window_layout_test.moc"
