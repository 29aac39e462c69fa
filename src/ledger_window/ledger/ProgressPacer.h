#pragma once
// Moves the window's progress bar about a hundred times over a long walk
// over the grid's rows, not once per row, and hides it when the walk ends
// (also when a failure ends it early).

#include <QProgressBar>
#include <algorithm>

class ProgressPacer
{
public:
    ProgressPacer(QProgressBar *bar, int rows) : m_bar(bar), m_step(std::max(1, rows / 100))
    {
        if (!m_bar)
            return;
        m_bar->setRange(0, rows);
        m_bar->setValue(0);
        m_bar->setVisible(true);
    }
    ~ProgressPacer() { finish(); }
    ProgressPacer(const ProgressPacer &) = delete;
    ProgressPacer &operator=(const ProgressPacer &) = delete;

    void rowDone(int value)
    {
        if (m_bar && value >= m_next) {
            m_bar->setValue(value);
            m_next = value + m_step;
        }
    }
    void finish()
    {
        if (m_bar)
            m_bar->setVisible(false);
    }

private:
    QProgressBar *m_bar;
    int m_step;
    int m_next = 0;
};
