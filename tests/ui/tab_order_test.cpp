// Tab walks each page and window of ours the way its controls are laid out.
#include "support/lookup_fixture.h"
#include "support/modal_windows.h"

#include "ui/update_window.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabBar>

namespace {

// The control the user sees focused: the named widget around Qt's inner parts.
QWidget* control(QWidget* w)
{
    while (w && (w->objectName().isEmpty() || w->objectName().startsWith("qt_")))
        w = w->parentWidget();
    return w;
}

QWidget* panelOf(QWidget* w)
{
    return control(w->parentWidget());
}

// The controls of root in the order Tab reaches them from the first one. Tab must come round
// to the first again: a control that keeps Tab for itself traps the user.
QList<QWidget*> tabWalk(QWidget* window, QWidget* root, QWidget* first)
{
    QList<QWidget*> walk;
    EXPECT_NE(first, nullptr);
    if (!first)
        return walk;
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(control(window->focusWidget()), first);
    bool roundAgain = false;
    for (int i = 0; i < 300 && !roundAgain; ++i) {
        QWidget* c = control(window->focusWidget());
        if (c && root->isAncestorOf(c) && !walk.contains(c))
            walk << c;
        typeKey(window, Qt::Key_Tab);
        roundAgain = control(window->focusWidget()) == first;
    }
    EXPECT_TRUE(roundAgain) << "Tab stays in " << (walk.isEmpty() ? "?" : walk.last()->objectName().toStdString());
    return walk;
}

// Every control of root a user can reach by mouse must be in the walk.
void expectEveryControlIn(const QList<QWidget*>& walk, QWidget* root)
{
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w == control(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !qobject_cast<QTabBar*>(w)) {
            EXPECT_TRUE(walk.contains(w)) << w->objectName().toStdString() << " is out of the Tab walk";
        }
}

// b comes after a for a reader: lower down, or on the same line further right.
bool readsAfter(QWidget* a, QWidget* b, QWidget* root)
{
    const QRect ra(a->mapTo(root, QPoint(0, 0)), a->size());
    const QRect rb(b->mapTo(root, QPoint(0, 0)), b->size());
    const bool sameLine = rb.center().y() >= ra.top() && rb.center().y() <= ra.bottom();
    return sameLine ? rb.left() > ra.left() : rb.center().y() > ra.bottom();
}

// Within a panel line by line; a panel once left is not come back to, but for the one around it.
void expectReadingOrder(const QList<QWidget*>& walk, QWidget* root)
{
    QList<QWidget*> panelsLeft;
    for (qsizetype i = 0; i + 1 < walk.size(); ++i) {
        QWidget* from = panelOf(walk[i]);
        QWidget* to = panelOf(walk[i + 1]);
        const std::string step = walk[i]->objectName().toStdString() + " -> " + walk[i + 1]->objectName().toStdString();
        if (from == to)
            EXPECT_TRUE(readsAfter(walk[i], walk[i + 1], root)) << step;
        else {
            EXPECT_FALSE(panelsLeft.contains(to) && !to->isAncestorOf(from)) << step << ": back into " << to->objectName().toStdString();
            panelsLeft << from;
        }
    }
}

class TabOrder : public LookupFixture
{
};

} // namespace

TEST_F(TabOrder, EachPageOfTheMainWindowIsWalkedInReadingOrder)
{
    writeConfig();
    folder.write("films.txt", "MATRIX.AVI\tFANTASCIENZA\tKeanu Reeves\t\tWachowski\tGino-CD1\t136'\t1999\t01/03/2005\t734\t0\tUna simulazione.\r\n");
    start();
    main()->show();
    // Keys go to the active window; without a window manager nobody else makes it so.
    main()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    auto* pages = control<QTabWidget>("PageControl1");
    const char* firsts[] = {"DBEDtitolo", "EDVOL", "SGStat"};
    for (int p = 0; p < 3; ++p) {
        clickPage(p);
        QWidget* page = pages->widget(p);
        SCOPED_TRACE(pages->tabText(p).toStdString());
        const QList<QWidget*> walk = tabWalk(main(), page, page->findChild<QWidget*>(firsts[p]));
        EXPECT_GT(walk.size(), 5);
        expectReadingOrder(walk, page);
        expectEveryControlIn(walk, page);
    }
}

TEST_F(TabOrder, TheLookupWindowIsWalkedInReadingOrder)
{
    startAndOpen();
    const QList<QWidget*> walk = tabWalk(window(), window(), window()->WEBSEARCH);
    EXPECT_GT(walk.size(), 10);
    expectReadingOrder(walk, window());
    expectEveryControlIn(walk, window());
}
