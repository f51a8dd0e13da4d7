// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives a tool window as a user does, from "box=text box=text" entries or from the worked examples,
// and answers the windows' dialogs as a test scripts them.

#include "filedialogs.h"
#include "mainform.h"
#include "workedexamples.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace calcwindow {

// Every dialog remembers what it was asked; an empty answer is the user's cancel, a modal dialog never
// shows. The printer prints to the answer as a PDF file.
struct ScriptedDialogs : quorvane::FileDialogs {
    QString answer;
    bool confirm = true, fullPage = false;
    QStringList asked, errors, about, folders;

    QString ShowSaveDialog(QWidget *, const QString &filter, const QString &title, const QString &folder,
                           const QString &defaultName) override {
        asked << title + '|' + filter + '|' + defaultName;
        folders << folder;
        return answer;
    }
    QString ShowOpenDialog(QWidget *, const QString &filter, const QString &title, const QString &) override {
        asked << title + '|' + filter;
        return answer;
    }
    void ShowError(QWidget *, const QString &, const QString &text) override { errors << text; }
    bool ConfirmOverwrite(QWidget *, const QString &, const QString &path) override {
        asked << "overwrite " + path;
        return confirm;
    }
    bool ConfirmInPlace(QWidget *, const QString &, const QString &path, const QString &reason) override {
        asked << "in place " + path + '|' + reason;
        return confirm;
    }
    bool ShowPrintDialog(QWidget *, QPrinter &printer) override {
        fullPage = printer.fullPage();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(answer);
        return !answer.isEmpty();
    }
    void ShowAbout(QWidget *, const QString &title, const QString &text) override {
        about << title + '|' + text;
    }
};

// Makes `folder` take no new file from `user` while `file` in it stays writable to all, then has the whole
// process act as `user` (effective ids only, root needed) until the object ends: a window saving now meets a
// folder that refuses new files. Only root can do it; `ok` says whether it could.
class ClosedFolder {
  public:
    ClosedFolder(const QString &folder, const QString &file, const QByteArray &bytes, uid_t user = 65534) {
        QFile f(QDir(folder).filePath(file));
        ok = ::geteuid() == 0 && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() &&
             f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                              QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
        f.close();
        for (QString up = folder; ok && up != QDir::tempPath() && up.size() > 1; up = QFileInfo(up).path())
            ok = ::chmod(QFile::encodeName(up).constData(), 0755) == 0; // reachable, closed to others
        ok = ok && ::setegid(user) == 0 && ::seteuid(user) == 0;
    }
    ~ClosedFolder() {
        if (::seteuid(0) != 0 || ::setegid(0) != 0)
            qFatal("could not become root again");
    }
    ClosedFolder(const ClosedFolder &) = delete;
    ClosedFolder &operator=(const ClosedFolder &) = delete;
    bool ok = false;
};

inline QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The main window's input boxes, in the order of the design inputs.
inline const char *const kPipeBoxes[] = {
    "txtPTExh",           "txtRPM",          "txtTemp",          "txtHeats",         "txtGasConst",
    "txtPipeExDiam",      "txtPipeExLength", "txtPipeExDiamOut", "txtPipePtoPratio", "txtPipePtoMratio",
    "txtPipeptoOutRatio", "txtPipeHornRatio"};

// Shown, or brought to the front as a user clicks into it.
inline void ShowActive(QWidget *window) {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

inline void Click(QWidget *window, const char *button) {
    QTest::mouseClick(window->findChild<QPushButton *>(button), Qt::LeftButton);
}

// The main window as each window test starts it: shown, active, its dialogs scripted and handed out.
inline std::unique_ptr<quorvane::MainForm> ShowMainForm(ScriptedDialogs **dialogs = nullptr) {
    auto scripted = std::make_unique<ScriptedDialogs>();
    if (dialogs)
        *dialogs = scripted.get();
    auto form = std::make_unique<quorvane::MainForm>(std::move(scripted));
    ShowActive(form.get());
    return form;
}

// A space starts a new entry only before "name=".
inline QList<std::pair<QString, QString>> Entries(const QString &text) {
    QList<std::pair<QString, QString>> entries;
    for (const QString &entry : text.split(QRegularExpression(R"( +(?=[\w()]+=))"), Qt::SkipEmptyParts))
        entries.append({entry.section('=', 0, 0), entry.section('=', 1)});
    return entries;
}

// A combo box gets the item "x TEXT"; a box is clicked into, must select its whole text, and is typed over.
inline void Type(QWidget *window, const QString &name, const QString &text) {
    if (auto *combo = window->findChild<QComboBox *>(name))
        return combo->setCurrentIndex(combo->findText("x " + text));
    auto *box = window->findChild<QLineEdit *>(name);
    QVERIFY2(box, qPrintable("no box " + name));
    box->clearFocus(); // a click into the focused box would not select
    QTest::mouseClick(box, Qt::LeftButton);
    QCoreApplication::processEvents(); // the select-all on focus is deferred
    QCOMPARE(box->selectedText(), box->text());
    text.isEmpty() ? QTest::keyClick(box, Qt::Key_Backspace) : QTest::keyClicks(box, text);
}

inline void Enter(QWidget *window, const QString &entries) {
    for (const auto &[name, text] : Entries(entries))
        Type(window, name, text);
}

// The example design, whose Pipe Calc gives the tuned length 889.27.
inline const QString kExampleDesign =
    "txtPTExh=190 txtRPM=10000 txtTemp=500 txtPipeExDiam=40 txtPipeExLength=30 txtPipeExDiamOut=38";

// The entries typed into the main window and Pipe Calc pressed.
inline void PipeCalc(QWidget *main, const QString &entries = kExampleDesign) {
    Enter(main, entries);
    Click(main, "cmdPipeCalc");
}

// The box shows the start of its text, as after Home: a number cut at its left reads as another number.
inline bool ShowsItsStart(QLineEdit *box) {
    const QImage shown = box->grab().toImage();
    box->home(false);
    return box->grab().toImage() == shown;
}

// The named boxes show these texts; no box has a digit out of sight (frame and margin take 3 px a side),
// except a text too wide for the smallest face, which shows its start.
inline void Expect(QWidget *window, const QList<std::pair<QString, QString>> &expected) {
    QStringList shown, wanted;
    for (const auto &[name, text] : expected) {
        shown << name + '=' + window->findChild<QLineEdit *>(name)->text();
        wanted << name + '=' + text;
    }
    QCOMPARE(shown, wanted);
    for (QLineEdit *box : window->findChildren<QLineEdit *>())
        QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(box->text()) <= box->width() - 6 ||
                     (box->font().pixelSize() == 8 && ShowsItsStart(box)),
                 qPrintable(box->objectName() + '=' + box->text()));
}

inline void Expect(QWidget *window, const QString &entries) {
    Expect(window, Entries(entries));
}

// The user's close, by button or by close box, only hides the window; it is then shown again.
inline void CloseAndReopen(QWidget *window, const QString &closeButton) {
    QTest::mouseClick(window->findChild<QPushButton *>(closeButton), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    window->show();
    QVERIFY(!window->close() && !window->isVisible());
    ShowActive(window);
}

// How a window shows a calculation, as the worked examples declare it: the button that runs it ("-"
// when typing into a box of a pair runs it), and the box of each input and of each result.
struct Shown {
    QString button;
    QMap<QString, QString> inputs, results;

    explicit Shown(const QString &calculation) {
        const QString how = examples::How(calculation, "window");
        button = how.section(' ', 1, 1);
        for (const QString &word : how.section(' ', 2).section(" > ", 0, 0).split(' '))
            inputs[word.section('=', 0, 0)] = word.section('=', 1);
        for (const QString &word : how.section(" > ", 1).split(' '))
            results[word.section('=', 0, 0)] = word.section('=', 1);
    }
};

// The calculations a window shows.
inline QStringList CalculationsOf(const QString &window) {
    QStringList names = examples::Declared("window");
    names.removeIf(
        [&](const QString &name) { return examples::How(name, "window").section(' ', 0, 0) != window; });
    return names;
}

// Types a case of a column "example" into the window, presses its button and checks every result box
// and where the focus is.
inline void RunExample(QWidget *window) {
    QFETCH(examples::Case, example);
    const Shown shown(example.calculation);
    // Every result box of a button that this calculation does not read holds an earlier result, so that
    // what the calculation leaves alone shows.
    std::map<QString, QString> expected;
    for (const QString &other : CalculationsOf(window->objectName()))
        for (const QString &box : Shown(other).results)
            if (Shown(other).button != "-" && !shown.inputs.values().contains(box))
                window->findChild<QLineEdit *>(box)->setText(expected[box] = "7.00");
    if (shown.button == "-")
        Type(window, shown.inputs.first(), "7"); // an earlier entry, so that emptying the box is a change
    for (const auto &[name, text] : example.inputs.asKeyValueRange()) {
        QVERIFY2(shown.inputs.contains(name), qPrintable("no input " + name));
        Type(window, shown.inputs[name], text);
    }
    if (shown.button != "-")
        QTest::mouseClick(window->findChild<QPushButton *>(shown.button), Qt::LeftButton);
    if (!example.outputs.contains("refused"))
        for (const auto &[name, box] : shown.results.asKeyValueRange())
            if (example.outputs.contains("why") || example.outputs.contains(name))
                expected[box] = example.outputs.value(name); // a failure empties the results
    const QList<std::pair<QString, QString>> wanted(expected.begin(), expected.end());
    Expect(window, wanted);
    const QString blamed = example.outputs.value("refused", example.outputs.value("failed"));
    QCOMPARE(QApplication::focusWidget()->objectName(), !blamed.isEmpty()     ? shown.inputs[blamed]
                                                        : shown.button != "-" ? shown.button
                                                                              : shown.inputs.first());
    for (const QPushButton *button : window->findChildren<QPushButton *>())
        if (button->text() == "Close")
            CloseAndReopen(window, button->objectName()); // the window keeps every value
    Expect(window, wanted);
}

// Dark and blue pixels: the figures draw black outlines and blue dimensions on white.
inline std::pair<qsizetype, qsizetype> Ink(QWidget *w, const QRect &part = QRect(0, 0, -1, -1)) {
    const QImage image = w->grab(part).toImage().convertToFormat(QImage::Format_RGB32);
    const auto *begin = reinterpret_cast<const QRgb *>(image.constBits()),
               *end = begin + image.sizeInBytes() / 4;
    return {
        std::count_if(begin, end, [](QRgb c) { return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60; }),
        std::count_if(begin, end, [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 60 && qGreen(c) < 120; })};
}

} // namespace calcwindow
