// SPDX-License-Identifier: GPL-3.0-or-later
#include "calcwindowdriver.h"
#include "lookandfeel.h"
#include "mainform.h"
#include "plotform.h"
#include "templateform.h"
#include "templatepreview.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace calcwindow;
using namespace quorvane;

class TestTemplateForm : public QObject {
    Q_OBJECT
    std::unique_ptr<MainForm> m_main;
    ScriptedDialogs *m_dialogs = nullptr;
    QTemporaryDir m_dir;
    static inline const QString kCone = "txtD1=120 txtD2=80 txtLenConeInput=150 txtSheetThick=1.5"; // in Plot

    TemplateForm *Form() const { return m_main->templateForm(); }
    template <class T = QLineEdit> T *Get(const char *name) const { return Form()->findChild<T *>(name); }
    QString Summary() const { return Get<QLabel>("lblSummary")->text(); }
    QString Message() const { return Get<QLabel>("lblMessage")->text(); }
    void OpenFromMenu() {
        m_main->findChild<QAction *>("mnuFileTemplates")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(Form()));
    }
    // The example calculated and saved as `design`, then the window opened from the menu.
    void OpenOnSavedExample(const QString &design) {
        PipeCalc(m_main.get());
        m_dialogs->answer = design;
        m_main->mnuFileType_Click(1);
        OpenFromMenu();
    }
    void OpenOnExample() {
        PipeCalc(m_main.get());
        OpenFromMenu();
    }
    void OpenFromPlot(const QString &entries) {
        Click(m_main.get(), "cmdPlot");
        QVERIFY(QTest::qWaitForWindowActive(m_main->plotForm()));
        Enter(m_main->plotForm(), entries);
        Click(m_main->plotForm(), "cmdTemplates");
        if (Form()->isVisible())
            QVERIFY(QTest::qWaitForWindowActive(Form()));
    }
    QStringList Sections() const {
        QStringList names;
        for (int i = 0; i < Get<QListWidget>("lstSections")->count(); ++i)
            if (Get<QListWidget>("lstSections")->item(i)->checkState() == Qt::Checked)
                names << Get<QListWidget>("lstSections")->item(i)->text();
        return names;
    }

  private slots:
    void init() { m_main = ShowMainForm(&m_dialogs); }
    void cleanup() { m_main.reset(); }

    void without_a_design_it_says_what_to_do() {
        OpenFromMenu();
        QVERIFY(Form()->isVisible() && !Get<QListWidget>("lstSections")->isVisible());
        QVERIFY(Get<QLabel>("lblNoDesign")->text().contains("Press Pipe Calc in the main window first"));
        QVERIFY(!Get<QPushButton>("cmdSavePdf")->isEnabled() && !Get<QPushButton>("cmdPrint")->isEnabled());
        Form()->hide();
        OpenFromPlot(""); // batch is not offered, and the empty typed cone is refused
        QCOMPARE(Background(m_main->plotForm()->findChild<QLineEdit *>("txtD1")), kRejectedRed);
        QVERIFY(!Form()->isVisible());
    }

    void the_file_menu_and_the_batch_plot_take_the_last_calculation() {
        OpenOnExample();
        const QStringList seven = {"Header L1", "Cone L2", "Cone L3", "Cone L4",
                                   "Belly L5",  "Cone L6", "Tail L7"};
        QCOMPARE(Sections(), seven);
        QVERIFY(Form()->buildSheet().design.has_value());
        QCOMPARE(Form()->buildSheet().design->texts[0], "190");
        Form()->hide();
        OpenFromPlot("txtSheetThick=1.2");
        QVERIFY(Form()->isVisible());
        QCOMPARE(Sections(), seven);
        QCOMPARE(Get("txtThickness")->text(), "1.2");
    }

    void the_single_plot_takes_its_typed_cone() {
        OpenFromPlot(kCone);
        QCOMPARE(Sections(), QStringList{"Cone"});
        QVERIFY(!Form()->buildSheet().design);
        const Section cone = Form()->buildSheet().templates.patterns.at(0).section;
        QCOMPARE(QList<double>({cone.baseDiameter, cone.tipDiameter, cone.centreLength}),
                 QList<double>({120, 80, 150}));
        QVERIFY(Get<TemplatePreview>("picPreview")->scale() > 0);
        QVERIFY(Ink(Get<TemplatePreview>("picPreview")).first > 500);
        QVERIFY(Message().isEmpty());
        QCOMPARE(Form()->designText(), "Develops the cone typed in Plot Flat Cone.");
        // A typed cone may be measured outside; a calculation's never is.
        QVERIFY(Get<QComboBox>("cmbDiameters")->isEnabled());
        Get<QComboBox>("cmbDiameters")->setCurrentText("Outside");
        QVERIFY(Form()->buildSheet().options.pattern.outsideDiameters);
        PipeCalc(m_main.get()); // the window keeps the cone it was given
        QCOMPARE(Sections(), QStringList{"Cone"});
    }

    // The summary counts the pieces and pages of the chosen sections, pieces and paper.
    void options_change_the_summary() {
        OpenOnExample();
        Enter(Form(), "txtThickness=1 txtPieces=1");
        QVERIFY2(Summary().startsWith("7 pieces on 19 pages of A4 paper; "), qPrintable(Summary()));
        Enter(Form(), "txtPieces=3");
        QVERIFY2(Summary().startsWith("21 pieces on 22 pages of A4 paper; "), qPrintable(Summary()));
        Get<QComboBox>("cmbPaper")->setCurrentText("A3");
        QVERIFY2(Summary().startsWith("21 pieces on 22 pages of A3 paper; "), qPrintable(Summary()));
        Get<QListWidget>("lstSections")->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(Summary().startsWith("18 pieces"));
    }

    void a_sheet_too_large_to_print_still_gives_its_drawings() {
        OpenFromPlot("txtD1=30000 txtD2=29000 txtLenConeInput=100 txtSheetThick=1");
        const QString refusal = QString::fromStdString(SheetRefusal(Form()->buildSheet()).value().reason);
        QVERIFY(Message().contains(refusal) && Get<TemplatePreview>("picPreview")->message() == refusal);
        QVERIFY(!Get<QPushButton>("cmdSavePdf")->isEnabled() && !Get<QPushButton>("cmdPrint")->isEnabled());
        QVERIFY(Get<QPushButton>("cmdSaveSvg")->isEnabled() && Get<QPushButton>("cmdSaveDxf")->isEnabled());
    }

    // The first refused option of a row names its box; the message says what the box takes.
    void refused_options_mark_their_box_with_the_reason_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("reason");
        for (const auto &[entry, reason] :
             {std::pair{"txtThickness=", "Type the sheet thickness."},
              {"txtThickness=-1", "The sheet thickness must be a number from 0 to 20 mm."},
              {"txtThickness=1,5", "The sheet thickness must be a number from 0 to 20 mm. Write the decimal "
                                   "point as \".\"."},
              {"txtThickness=abc", "The sheet thickness must be a number from 0 to 20 mm."},
              {"txtThickness=nan", "The sheet thickness must be a number from 0 to 20 mm."},
              {"txtKFactor=0.2", "The K factor must be a number from 0.3 to 0.5."},
              {"txtOverlap=-1", "The page overlap must be a number of mm, 0 or more."},
              {"txtPieces=0", "The pieces must be a whole number from 1 to 12."},
              {"txtPieces=13", "The pieces must be a whole number from 1 to 12."},
              {"txtSeamAllowance=-1", "The seam allowance must be a number from 0 to 50 mm."},
              {"txtSeamAllowance=51", "The seam allowance must be a number from 0 to 50 mm."}})
            QTest::newRow(entry) << QString(entry) << QString(reason);
    }
    void refused_options_mark_their_box_with_the_reason() {
        QFETCH(QString, entry);
        QFETCH(QString, reason);
        const QString box = entry.section('=', 0, 0);
        OpenFromPlot(kCone);
        QVERIFY(Get<QPushButton>("cmdSavePdf")->isEnabled());
        Enter(Form(), entry);
        QVERIFY2(Message().startsWith(reason), qPrintable(Message()));
        QCOMPARE(Background(Get(qPrintable(box))), kRejectedRed);
        QVERIFY(!Get<QPushButton>("cmdSaveSvg")->isEnabled() && Summary().isEmpty());
        Enter(Form(), box + (box == "txtKFactor" ? "=0.4" : "=1"));
        QCOMPARE(Background(Get(qPrintable(box))), Background(Get("txtRollLines")));
        QVERIFY(Message().isEmpty() && Get<QPushButton>("cmdSaveSvg")->isEnabled());
    }

    // An overlap wider than a third of the page's drawing width cannot be printed; the drawings, which
    // have no pages, can still be saved.
    void a_wide_overlap_stops_only_the_printing() {
        OpenFromPlot(kCone);
        Enter(Form(), "txtOverlap=64"); // a third of A4's 190 mm
        QVERIFY2(Message().startsWith("The page overlap must be at most 63.3 mm"), qPrintable(Message()));
        QCOMPARE(Background(Get("txtOverlap")), kRejectedRed);
        QVERIFY(!Get<QPushButton>("cmdSavePdf")->isEnabled() && !Get<QPushButton>("cmdPrint")->isEnabled());
        QVERIFY(Get<QPushButton>("cmdSaveSvg")->isEnabled() && Get<QPushButton>("cmdSaveDxf")->isEnabled());
        QVERIFY2(Summary().startsWith("1 piece not printable; sheet metal"), qPrintable(Summary()));
        Get<QComboBox>("cmbPaper")->setCurrentText("A3"); // 277 mm wide: 64 is less than a third
        QVERIFY(Message().isEmpty() && Get<QPushButton>("cmdSavePdf")->isEnabled());
    }

    // The window names the calculation it develops, follows each new one while keeping the user's
    // ticks, and says plainly when the main window's inputs are no longer the calculation's.
    void it_names_and_follows_the_design() {
        PipeCalc(m_main.get());
        m_dialogs->answer = m_dir.filePath("my-pipe.txt");
        m_main->mnuFileType_Click(1); // Save Pipe: the design now has a file
        m_main->mnuFileType_Click(0); // and is opened again, unchanged
        OpenFromMenu();
        QVERIFY2(Form()->designText().startsWith("Develops the Pipe Calc of "),
                 qPrintable(Form()->designText()));
        QVERIFY(Form()->designText().contains("(my-pipe.txt): timing 190, RPM 10000, temp 500"));
        QVERIFY(!Form()->designText().contains("inputs have changed"));
        Get<QListWidget>("lstSections")->item(0)->setCheckState(Qt::Unchecked);
        Enter(Form(), "txtThickness=1 txtPieces=2");

        ShowActive(m_main.get());
        Enter(m_main.get(), "txtRPM=11000"); // typed, not calculated
        QVERIFY(Form()->designText().endsWith(
            "The inputs have changed since the last Pipe Calc \u2014 press Pipe Calc to develop them."));
        QCOMPARE(Form()->buildSheet().design->texts[1], "10000"); // still the calculation it names
        Enter(m_main.get(), "txtRPM=10000");
        QVERIFY(!Form()->designText().contains("inputs have changed"));

        Enter(m_main.get(), "txtRPM=11000");
        Click(m_main.get(), "cmdPipeCalc");
        QCOMPARE(Form()->buildSheet().design->texts[1], "11000");
        QVERIFY(Form()->designText().contains("RPM 11000") && !Form()->designText().contains("changed"));
        QCOMPARE(Sections().first(), "Cone L2"); // the header stays unticked
        QCOMPARE(Get("txtPieces")->text(), "2");
        QCOMPARE(Form()->buildSheet().templates.patterns.size(), std::size_t(6));
    }

    // A section bent in the window's plan is cut in its pie-cut pieces; a plan that cannot be made marks
    // its cell with the reason; the options and plan saved with the design come back when it is opened.
    void bends_are_planned_and_saved_with_the_design() {
        const QString design = m_dir.filePath("bent.txt");
        OpenOnSavedExample(design);
        Enter(Form(), "txtThickness=1.5 txtKFactor=0.4");
        auto *plan = Get<QTableWidget>("tblBends");
        QCOMPARE(plan->rowCount(), 7);
        QCOMPARE(plan->verticalHeaderItem(2)->text(), "L3");
        plan->item(2, 1)->setText("5");
        plan->item(2, 0)->setText("abc");
        QVERIFY2(Message().startsWith("The bend angle of Cone L3 is not a number"), qPrintable(Message()));
        QCOMPARE(plan->item(2, 0)->background().color(), kRejectedRed);
        QVERIFY(!Get<QPushButton>("cmdSaveDxf")->isEnabled());
        plan->item(2, 0)->setText("90");
        QCOMPARE(plan->item(2, 0)->background().style(), Qt::NoBrush);
        const SectionPattern &l3 = Form()->buildSheet().templates.patterns.at(2);
        QCOMPARE(l3.section.name, "Cone L3");
        QCOMPARE(int(l3.pieceList.size()), 5);
        QCOMPARE(l3.jointTurn, 22.5);
        Get<QComboBox>("cmbBendLayout")->setCurrentText("Blank");
        QCOMPARE(int(Form()->buildSheet().templates.patterns.at(2).pieceList.size()), 1);

        const QByteArray before = ReadAll(design);
        QVERIFY(Get<QPushButton>("cmdSaveWithDesign")->isEnabled());
        Click(Form(), "cmdSaveWithDesign");
        QVERIFY(m_dialogs->errors.isEmpty());
        const QByteArray after = ReadAll(design);
        QVERIFY(after.startsWith(before)); // the design's own lines stay as they were
        QVERIFY(after.contains("[CuttingTemplates]") && after.contains("bendL3=90:5:0"));

        cleanup(); // a new start: the design file is all there is
        init();
        m_dialogs->answer = design;
        m_main->mnuFileType_Click(0);
        OpenOnExample();
        QCOMPARE(Get("txtKFactor")->text(), "0.4");
        QCOMPARE(Get<QComboBox>("cmbBendLayout")->currentText(), "Blank");
        QCOMPARE(Get<QTableWidget>("tblBends")->item(2, 0)->text(), "90");
        QCOMPARE(Form()->buildSheet().templates.patterns.at(2).bend.pieces, 5);
    }

    // The preview shows the selected section only when it is to be cut, numbered as the build sheet
    // numbers its pages.
    void the_preview_shows_only_checked_sections() {
        OpenOnExample();
        Enter(Form(), "txtThickness=1");
        auto *list = Get<QListWidget>("lstSections");
        auto *preview = Get<TemplatePreview>("picPreview");
        list->item(0)->setCheckState(Qt::Unchecked);
        list->setCurrentRow(0);
        QCOMPARE(preview->scale(), 0.0);
        QCOMPARE(preview->message(),
                 "Header L1 is not checked: it is left out of the build sheet and the drawings.");
        list->setCurrentRow(1);
        QVERIFY(preview->scale() > 0);
        QCOMPARE(preview->firstPage(), PlanOf(Form()->buildSheet()).pieces.front().firstTile());
        QCOMPARE(PlanOf(Form()->buildSheet()).pieces.front().pattern->section.name, "Cone L2");
    }

    void each_format_is_saved_through_the_dialog_data() {
        QTest::addColumn<QString>("extension");
        for (const char *extension : {"pdf", "svg", "dxf"})
            QTest::newRow(extension) << QString(extension);
    }
    void each_format_is_saved_through_the_dialog() {
        QFETCH(QString, extension);
        OpenOnExample();
        Enter(Form(), "txtThickness=1");
        m_dialogs->answer = m_dir.filePath("pipe"); // the extension is added
        Click(Form(), qPrintable("cmdSave" + extension.left(1).toUpper() + extension.mid(1)));
        QVERIFY(m_dialogs->asked.value(0).endsWith("|*." + extension + "|CuttingTemplates." + extension));
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
        const QByteArray bytes = ReadAll(m_dir.filePath("pipe." + extension));
        if (extension == "pdf")
            QVERIFY(bytes.startsWith("%PDF"));
        if (extension == "dxf")
            QVERIFY(bytes.contains("\nSECTION\n  2\nHEADER\n") && bytes.trimmed().endsWith("\nEOF"));
        if (extension == "svg") {
            QXmlStreamReader xml(bytes);
            QVERIFY(xml.readNextStartElement() && xml.name() == u"svg");
            xml.skipCurrentElement();
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        }
        if (extension != "pdf") // a PDF's compressed streams may hold any letters
            QVERIFY(!bytes.contains("nan") && !bytes.contains("inf"));
    }

    // Names come from the design file's, and every save starts where the last one went.
    void saving_proposes_the_designs_name_and_remembers_the_folder() {
        OpenOnSavedExample(m_dir.filePath("my-pipe.txt"));
        Enter(Form(), "txtThickness=1");
        QTemporaryDir elsewhere;
        m_dialogs->answer = elsewhere.filePath("cut.pdf");
        Click(Form(), "cmdSavePdf");
        Click(Form(), "cmdSaveSvg");
        QCOMPARE(m_dialogs->asked.mid(1),
                 (QStringList{"Save PDF|Build sheet, PDF (*.pdf)|*.pdf|my-pipe-templates.pdf",
                              "Save SVG|Cutting templates, SVG (*.svg)|*.svg|my-pipe-templates.svg"}));
        QCOMPARE(m_dialogs->folders.mid(1), (QStringList{QFileInfo(m_dir.path()).absoluteFilePath(),
                                                         QFileInfo(elsewhere.path()).absoluteFilePath()}));
        // The design saved again under another name while the window is open: the names follow it.
        m_dialogs->answer = m_dir.filePath("second-pipe.txt");
        m_main->mnuFileType_Click(1);
        m_dialogs->answer = elsewhere.filePath("cut.pdf");
        Click(Form(), "cmdSavePdf");
        QCOMPARE(m_dialogs->asked.last(),
                 "Save PDF|Build sheet, PDF (*.pdf)|*.pdf|second-pipe-templates.pdf");
    }

    // The templates' save asks as the pipe values' does before rewriting a file in place.
    void a_folder_that_takes_no_file_asks_before_rewriting_in_place() {
        OpenFromPlot(kCone);
        const QString folder = m_dir.filePath("closed");
        QVERIFY(QDir().mkdir(folder));
        m_dialogs->answer = QDir(folder).filePath("cone.svg");
        {
            const ClosedFolder closed(folder, "cone.svg", "old");
            if (!closed.ok)
                QSKIP("acting as another user needs root");
            Click(Form(), "cmdSaveSvg");
        }
        QVERIFY(m_dialogs->asked.last().startsWith("in place " + m_dialogs->answer + '|'));
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
        QVERIFY(ReadAll(m_dialogs->answer).contains("<svg"));
    }

    // Print paints the build sheet on the whole page; a failed save is reported and leaves nothing.
    void print_and_a_failed_save() {
        OpenFromPlot(kCone);
        m_dialogs->answer = m_dir.filePath("printed.pdf");
        Click(Form(), "cmdPrint");
        QVERIFY(m_dialogs->fullPage && m_dialogs->errors.isEmpty());
        QVERIFY(ReadAll(m_dialogs->answer).startsWith("%PDF"));
        QTemporaryDir dir;
        m_dialogs->answer = dir.filePath("missing/cone.svg");
        Click(Form(), "cmdSaveSvg");
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY(m_dialogs->errors[0].contains(QDir::toNativeSeparators(m_dialogs->answer)));
        QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
};

QTEST_MAIN(TestTemplateForm)
#include "tst_templateform.moc"
