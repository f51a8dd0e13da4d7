// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The cases of tests/data/worked_examples.txt, which the core, command line and window tests each
// run through their own level; the file says how a case is written.

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QtTest>

namespace examples {

struct Case {
    QString calculation, title;
    QStringList only;               // the levels the case is for; empty: every level
    QMap<QString, QString> inputs;  // an input not given is an empty box
    QMap<QString, QString> outputs; // what it shows, or "refused", "why" and "failed"
};

inline QString Unescaped(QString text) {
    return text.replace("\\s", " ").replace("\\t", "\t").replace("\\r", "\r").replace("\\n", "\n");
}

struct Examples {
    QList<Case> cases;
    QMap<QString, QMap<QString, QString>> how; // calculation, level: how the level runs it
};

inline const Examples &Data() {
    static const Examples data = [] {
        QFile file(QStringLiteral(QUORVANE_TEST_DATA "/worked_examples.txt"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        Examples all;
        QString declared, output;
        for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
            const QString first = line.section(' ', 0, 0);
            if (first == "calculation")
                all.how[declared = line.mid(12)] = {};
            else if (first == "core" || first == "cli" || first == "window")
                all.how[declared][first] = Unescaped(line.section(' ', 1));
            else if (first == "==" && all.how.contains(line.mid(3).section(": ", 0, 0)))
                all.cases.append({line.mid(3).section(": ", 0, 0), line.section(": ", 1), {}, {}, {}});
            else if (first == "==")
                qFatal("undeclared calculation: %s", qPrintable(line));
            else if (first == "only")
                all.cases.last().only = line.mid(5).split(' ');
            else if (first == ">")
                all.cases.last().outputs[output = line.mid(2).section('=', 0, 0)] = line.section('=', 1);
            else if (line.startsWith('|'))
                all.cases.last().outputs[output] += '\n' + line.mid(2);
            else if (!line.startsWith('#'))
                for (const QString &word : line.split(' ', Qt::SkipEmptyParts))
                    all.cases.last().inputs[word.section('=', 0, 0)] = Unescaped(word.section('=', 1));
        }
        return all;
    }();
    return data;
}

inline const QList<Case> &AllCases() {
    return Data().cases;
}

// How a level runs a calculation, as declared before its cases; empty when it does not.
inline QString How(const QString &calculation, const QString &level) {
    return Data().how.value(calculation).value(level);
}

// The calculations a level runs by their declarations.
inline QStringList Declared(const QString &level) {
    QStringList names;
    for (auto it = Data().how.begin(); it != Data().how.end(); ++it)
        if (it->contains(level))
            names << it.key();
    return names;
}

inline const Case &Find(const QString &calculation, const QString &title) {
    for (const Case &c : AllCases())
        if (c.calculation == calculation && c.title == title)
            return c;
    qFatal("no case %s: %s", qPrintable(calculation), qPrintable(title));
}

// Adds a column "example" and a row for each case of the calculations that is for this level.
inline void AddRows(const QStringList &calculations, const QString &level) {
    QTest::addColumn<Case>("example");
    for (const Case &c : AllCases())
        if (calculations.contains(c.calculation) && (c.only.isEmpty() || c.only.contains(level)))
            QTest::newRow(qPrintable(c.calculation + ": " + c.title)) << c;
}

// Whether text is exactly the pattern, where '*' stands for any run of characters.
inline bool Matches(const QString &text, const QString &pattern) {
    const QString expression = QRegularExpression::escape(pattern).replace("\\*", ".*");
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::DotMatchesEverythingOption)
        .match(text)
        .hasMatch();
}

// A level shows exactly the expected outputs, each text matching its pattern.
inline void CompareShown(const QMap<QString, QString> &shown, const QMap<QString, QString> &expected) {
    QCOMPARE(shown.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(Matches(shown[it.key()], it.value()),
                 qPrintable(it.key() + " shows:\n" + shown[it.key()] + "\nexpected:\n" + it.value()));
}

} // namespace examples

Q_DECLARE_METATYPE(examples::Case)
