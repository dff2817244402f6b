// The desktop's real dialogs, shown on the offscreen platform and answered from a timer as
// a person would: find the dialog, set a value, press OK or Cancel.
#include "dialogs/c_common_dialog.h"
#include "host/printer.h"
#include "platform/dialog_driver.h"
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace vx {
namespace {

using namespace std::string_literals;

// Runs act on the modal dialog of type D as soon as it shows. A dialog that never shows is
// a failure; whatever modal window is up then is closed so that the test ends.
template <class D> void whenShown(std::function<void(D*)> act) {
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, act, clock] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(d);
        } else if (clock->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the dialog did not show";
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        }
    });
    timer->start(20);
}

QWidget* childOfClass(QWidget* parent, const char* cls) {
    for (QWidget* w : parent->findChildren<QWidget*>())
        if (QByteArray(w->metaObject()->className()).endsWith(cls)) return w;
    return nullptr;
}

QPushButton* buttonWithText(QWidget* parent, const QString& text) {
    for (QPushButton* b : parent->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

class RealDialogs : public ::testing::Test {
  protected:
    void SetUp() override { win::setDialogDriver(nullptr); }
};

TEST_F(RealDialogs, ColourCancelled) {
    cCommonDialog dlg;
    Long color = 0x00112233;
    bool shown = false;
    whenShown<QColorDialog>([&](QColorDialog* d) {
        shown = true;
        EXPECT_EQ(d->currentColor(), QColor(0x33, 0x22, 0x11));
        // Full open prevented: the button that would show the custom part stays disabled.
        auto* define = d->findChild<QPushButton*>("defineCustomColors");
        ASSERT_NE(define, nullptr);
        EXPECT_FALSE(define->isEnabled());
        d->reject();
    });
    EXPECT_EQ(dlg.VBChooseColor(color, vbTrue, vbFalse, vbTrue), vbFalse);
    EXPECT_TRUE(shown);
    EXPECT_EQ(color, -1);
    EXPECT_EQ(dlg.APIReturn(), 0);
}

TEST_F(RealDialogs, ColourChosenWithTheCustomPartCollapsed) {
    cCommonDialog dlg;
    Long color = 0;
    whenShown<QColorDialog>([&](QColorDialog* d) {
        auto* define = d->findChild<QPushButton*>("defineCustomColors");
        ASSERT_NE(define, nullptr);
        EXPECT_TRUE(define->isEnabled());
        QWidget* picker = childOfClass(d, "QColorPicker");
        ASSERT_NE(picker, nullptr);
        EXPECT_FALSE(picker->isVisible());
        define->click();
        EXPECT_TRUE(picker->isVisible());
        EXPECT_FALSE(define->isEnabled());
        d->setCurrentColor(QColor(0x12, 0x34, 0x56));
        d->accept();
    });
    EXPECT_EQ(dlg.VBChooseColor(color, vbTrue, vbFalse, vbFalse), vbTrue);
    EXPECT_EQ(color, 0x00563412);
    EXPECT_EQ(dlg.APIReturn(), 1);
}

TEST_F(RealDialogs, CustomColourAddedInTheDialogStaysOnTheObject) {
    cCommonDialog dlg;
    Long color = 0;
    whenShown<QColorDialog>([&](QColorDialog* d) {
        EXPECT_EQ(d->findChild<QPushButton*>("defineCustomColors"), nullptr); // full open
        d->setCurrentColor(QColor(0xAB, 0xCD, 0xEF));
        QPushButton* add = buttonWithText(d, QColorDialog::tr("&Add to Custom Colors"));
        ASSERT_NE(add, nullptr);
        add->click();
        d->accept();
    });
    ASSERT_EQ(dlg.VBChooseColor(color, vbTrue, vbTrue, vbFalse), vbTrue);
    EXPECT_EQ(color, 0x00EFCDAB);
    int found = 0;
    for (Integer i = 0; i < 16; ++i) found += dlg.CustomColor(i) == 0x00EFCDAB;
    EXPECT_EQ(found, 1);
}

class RealFileDialogs : public RealDialogs {
  protected:
    void SetUp() override {
        RealDialogs::SetUp();
        ASSERT_TRUE(dir.isValid());
        for (const char* name : {"a.txt", "b.dat"}) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        folder = dir.path().toStdU16String();
    }
    QTemporaryDir dir;
    String folder;
};

TEST_F(RealFileDialogs, OpenCancelled) {
    cCommonDialog dlg;
    String file, title;
    String filter = u"Text|*.txt";
    Long index = 1;
    whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_EQ(dlg.VBGetOpenFileName(file, title, vbTrue, vbFalse, vbFalse, vbFalse, filter, index,
                                    folder),
              vbFalse);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(filter, u"");
}

TEST_F(RealFileDialogs, OpenChosenWithTheSecondType) {
    cCommonDialog dlg;
    String file, title;
    String filter = u"Text|*.txt|Data|*.dat";
    Long index = 1;
    whenShown<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Pick one");
        EXPECT_EQ(QDir(d->directory()), QDir(dir.path()));
        auto* types = d->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        ASSERT_EQ(types->count(), 2);
        EXPECT_EQ(types->itemText(0), "Text");
        types->setCurrentIndex(1);
        types->activated(1);
        d->findChild<QLineEdit*>("fileNameEdit")->setText("b.dat");
        static_cast<QDialog*>(d)->accept();
    });
    ASSERT_EQ(dlg.VBGetOpenFileName(file, title, vbTrue, vbFalse, vbFalse, vbFalse, filter, index,
                                    folder, u"Pick one"),
              vbTrue);
    EXPECT_EQ(file, folder + u"/b.dat");
    EXPECT_EQ(title, u"b.dat");
    EXPECT_EQ(index, 2);
    EXPECT_EQ(filter, u"Data\0*.dat"s);
}

TEST_F(RealFileDialogs, OpenRefusesAMissingFileThatMustExist) {
    cCommonDialog dlg;
    String file;
    bool refused = false;
    whenShown<QFileDialog>([&](QFileDialog* d) {
        d->findChild<QLineEdit*>("fileNameEdit")->setText("missing.txt");
        whenShown<QMessageBox>([&](QMessageBox* box) {
            refused = true;
            box->accept();
        });
        static_cast<QDialog*>(d)->accept();
        EXPECT_TRUE(d->isVisible()); // still asking
        d->reject();
    });
    EXPECT_EQ(dlg.VBGetOpenFileName(file, String(), vbTrue, vbFalse, vbFalse, vbFalse,
                                    cCommonDialog::kDefaultFilter, 1, folder),
              vbFalse);
    EXPECT_TRUE(refused);
}

TEST_F(RealFileDialogs, ReadOnlyBoxTicked) {
    cCommonDialog dlg;
    String file;
    Boolean readOnly = vbFalse;
    whenShown<QFileDialog>([&](QFileDialog* d) {
        auto* box = d->findChild<QCheckBox*>("readOnlyBox");
        ASSERT_NE(box, nullptr);
        box->setChecked(true);
        d->findChild<QLineEdit*>("fileNameEdit")->setText("a.txt");
        static_cast<QDialog*>(d)->accept();
    });
    ASSERT_EQ(dlg.VBGetOpenFileName(file, String(), vbTrue, vbFalse, readOnly, vbFalse,
                                    cCommonDialog::kDefaultFilter, 1, folder),
              vbTrue);
    EXPECT_EQ(readOnly, vbTrue);
    EXPECT_EQ(file, folder + u"/a.txt");
}

TEST_F(RealFileDialogs, SaveAddsTheDefaultExtension) {
    cCommonDialog dlg;
    String file = u"new";
    Long index = 1;
    whenShown<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->findChild<QCheckBox*>("readOnlyBox"), nullptr);
        EXPECT_EQ(d->findChild<QLineEdit*>("fileNameEdit")->text(), "new");
        static_cast<QDialog*>(d)->accept();
    });
    String title;
    ASSERT_EQ(
        dlg.VBGetSaveFileName(file, title, vbTrue, u"Text|*.txt", index, folder, String(), u"txt"),
        vbTrue);
    EXPECT_EQ(file, folder + u"/new.txt");
    EXPECT_EQ(title, u"new.txt");
    EXPECT_FALSE(QFile::exists(dir.filePath("new.txt"))); // choosing a name writes nothing
}

TEST_F(RealDialogs, FontCancelled) {
    cCommonDialog dlg;
    auto font = StdFont::make("Tahoma", 9);
    const StdFont before = *font;
    whenShown<QFontDialog>([](QFontDialog* d) { d->reject(); });
    EXPECT_EQ(dlg.VBChooseFont(font), vbFalse);
    EXPECT_EQ(*font, before);
}

TEST_F(RealDialogs, FontChosenWithAColour) {
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const QString family = families.front();
    cCommonDialog dlg;
    auto font = StdFont::make("Tahoma", 9);
    Long color = 0x0000FF; // red: the effects part with its colour list
    whenShown<QFontDialog>([&](QFontDialog* d) {
        auto* colours = d->findChild<QComboBox*>("colorCombo");
        ASSERT_NE(colours, nullptr);
        EXPECT_EQ(colours->currentText(), QFontDialog::tr("Red"));
        colours->setCurrentIndex(colours->findText(QFontDialog::tr("Blue")));
        QFont f(family);
        f.setPointSize(14);
        f.setUnderline(true);
        d->setCurrentFont(f);
        d->accept();
    });
    ASSERT_EQ(dlg.VBChooseFont(font, -1, -1, color), vbTrue);
    EXPECT_EQ(font->Name, family.toStdString());
    EXPECT_DOUBLE_EQ(font->Size, 14.0);
    EXPECT_TRUE(font->Underline);
    EXPECT_EQ(color, 0xFF0000);
}

TEST_F(RealDialogs, FontConfirmedUnchangedKeepsItsStyle) {
    // A family whose styles are not called "Normal" and "Italic": the dialog must still
    // start from the plain face, not from the first style it lists.
    if (!QFontDatabase::families().contains("DejaVu Sans")) GTEST_SKIP() << "no DejaVu Sans";
    cCommonDialog dlg;
    auto font = StdFont::make("DejaVu Sans", 12);
    whenShown<QFontDialog>([](QFontDialog* d) { d->accept(); });
    ASSERT_EQ(dlg.VBChooseFont(font), vbTrue);
    EXPECT_EQ(font->Name, "DejaVu Sans");
    EXPECT_FALSE(font->Italic);
    EXPECT_FALSE(font->Bold);
    EXPECT_EQ(font->Weight, 400);
    EXPECT_DOUBLE_EQ(font->Size, 12.0);

    font->setBold(true);
    whenShown<QFontDialog>([](QFontDialog* d) { d->accept(); });
    ASSERT_EQ(dlg.VBChooseFont(font), vbTrue);
    EXPECT_TRUE(font->Bold);
    EXPECT_FALSE(font->Italic);
}

TEST_F(RealDialogs, FontWithoutEffectsHidesThem) {
    cCommonDialog dlg;
    auto font = StdFont::make("Tahoma", 9);
    whenShown<QFontDialog>([&](QFontDialog* d) {
        EXPECT_EQ(d->findChild<QComboBox*>("colorCombo"), nullptr);
        for (QGroupBox* g : d->findChildren<QGroupBox*>())
            if (g->title() == QFontDialog::tr("Effects")) {
                EXPECT_FALSE(g->isVisible());
            }
        d->reject();
    });
    dlg.VBChooseFont(font);
}

TEST_F(RealDialogs, SystemPrinterDeviceContextOnlyWithAPrinter) {
    const Long dc = Printer::hDC();
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        EXPECT_EQ(dc, 0);
    } else {
        EXPECT_NE(dc, 0);
        EXPECT_TRUE(win::dialogDriver().isPrinterDC(dc));
        EXPECT_EQ(Printer::hDC(), dc);
    }
    EXPECT_FALSE(win::dialogDriver().isPrinterDC(0));
}

TEST_F(RealDialogs, PrintCancelled) {
    cCommonDialog dlg;
    Long hdc = 0;
    bool shown = false;
    whenShown<QPrintDialog>([&](QPrintDialog* d) {
        shown = true;
        d->reject();
    });
    EXPECT_EQ(dlg.VBPrintDlg(hdc), vbFalse);
    EXPECT_TRUE(shown);
    EXPECT_EQ(dlg.APIReturn(), 0);
    EXPECT_EQ(dlg.ExtendedError(), 0);
}

TEST_F(RealDialogs, PageSetupCancelled) {
    cCommonDialog dlg;
    bool shown = false;
    whenShown<QPageSetupDialog>([&](QPageSetupDialog* d) {
        shown = true;
        d->reject();
    });
    EXPECT_EQ(dlg.VBPageSetupDlg(), vbFalse);
    EXPECT_TRUE(shown);
}

TEST_F(RealDialogs, PageSetupMarginsChosen) {
    cCommonDialog dlg;
    Long left = 1, right = 1, top = 1, bottom = 1, paper = 0, orientation = 0;
    whenShown<QPageSetupDialog>([&](QPageSetupDialog* d) {
        auto* leftBox = d->findChild<QDoubleSpinBox*>("leftMargin");
        ASSERT_NE(leftBox, nullptr);
        // Shown in the units asked for: inches.
        EXPECT_DOUBLE_EQ(leftBox->value(), 1.0);
        leftBox->setValue(2.5);
        d->accept();
    });
    ASSERT_EQ(dlg.VBPageSetupDlg(0, vbFalse, vbFalse, vbFalse, vbFalse, left, 0, right, 0, top, 0,
                                 bottom, 0, paper, orientation),
              vbTrue);
    EXPECT_EQ(left, 2); // 2.5 rounds to the even neighbour
    EXPECT_EQ(right, 1);
    EXPECT_GT(paper, 0);
    EXPECT_EQ(orientation, 1);
    EXPECT_EQ(dlg.APIReturn(), 0);
}

} // namespace
} // namespace vx
