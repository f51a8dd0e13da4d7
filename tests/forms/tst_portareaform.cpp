// SPDX-License-Identifier: GPL-3.0-or-later
#include "calcwindowdriver.h"
#include "portareaform.h"

using namespace calcwindow;

class TestPortAreaForm : public QObject {
    Q_OBJECT
    std::unique_ptr<quorvane::PortAreaForm> m_form;

  private slots:
    void init() {
        m_form = std::make_unique<quorvane::PortAreaForm>();
        ShowActive(m_form.get());
    }

    void worked_examples_data() { examples::AddRows(CalculationsOf("frmPortArea"), "window"); }
    void worked_examples() { RunExample(m_form.get()); }

    void diagrams_are_drawn() {
        for (const char *name : {"Picture1", "picSegment"}) {
            QWidget *picture = m_form->findChild<QWidget *>(name);
            const auto [dark, blue] = Ink(picture);
            QVERIFY2(dark > 100 && dark < picture->width() * picture->height() / 3 && blue > 40, name);
        }
    }
};

QTEST_MAIN(TestPortAreaForm)
#include "tst_portareaform.moc"
