#pragma once

#include <QObject>
#include <QPersistentModelIndex>

class QAbstractItemView;

// Tells when the user chooses a line of a list, with the mouse or the keys, the line that is
// already current included. A line made current by the program, or by the removal of rows, is
// no choice: the program does that inside a Quiet scope.
class LineChoice : public QObject
{
    Q_OBJECT
public:
    static LineChoice* install(QAbstractItemView* view);

    class Quiet
    {
    public:
        explicit Quiet(LineChoice* choice) : m_choice(choice) { ++m_choice->m_quiet; }
        ~Quiet() { --m_choice->m_quiet; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        LineChoice* m_choice;
    };

signals:
    void chosen(int line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit LineChoice(QAbstractItemView* view);
    void currentChanged(const QModelIndex& current);

    QAbstractItemView* m_view;
    int m_quiet = 0;
    bool m_mouseDown = false;
    QPersistentModelIndex m_currentAtPress;
};
