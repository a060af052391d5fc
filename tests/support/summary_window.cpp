#include "tests/support/summary_window.h"

#include <gtest/gtest.h>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "tests/support/temp_tree.h"
#include "ui/flex_grid.h"

SummaryWindow::SummaryWindow(Words words) : FakeServices("Tallmere32") {
    store.exists = false;
    window = std::make_unique<Tallmere>(context, std::move(words));
    TallmereHooks& hooks = window->Hooks();
    hooks.AskStartDirectory = [this](QWidget*) {
        ++startAsked;
        return startAnswer;
    };
    hooks.ShowPopup = [this](QMenu& menu, QPoint at) {
        popupAt = at;
        QStringList entries;
        for (QAction* action : menu.actions())
            entries << action->text();
        popupEntries.push_back(entries);
        for (QAction* action : menu.actions()) {
            if (!popupChoice.isEmpty() && action->text() == popupChoice) action->trigger();
        }
    };
    hooks.LocateSummaryProgram = [this] { return summaryProgram; };
    hooks.history = History();
    hooks.PickSnapshot = [this](QWidget*, const QString&,
                                const std::vector<SnapshotInfo>& snapshots) {
        snapshotLists.push_back(snapshots);
        return snapshotChoice;
    };
}

HistoryStore::Options SummaryWindow::History() const {
    return {historyHome.filePath(QStringLiteral("history.sqlite"))};
}

void SummaryWindow::Load() {
    QSignalSpy finished(window.get(), &Tallmere::SummaryFinished);
    ASSERT_EQ(window->Form_Load(), Tallmere::Started::Shown);
    ASSERT_TRUE(finished.wait(10000));
}

void SummaryWindow::WaitForSummary() {
    QSignalSpy finished(window.get(), &Tallmere::SummaryFinished);
    ASSERT_TRUE(finished.wait(10000));
}

const CellGrid& SummaryWindow::Grid() {
    return window->Grid().Grid();
}

QString SummaryWindow::Progress() {
    return window->findChild<QLineEdit*>("Text1")->text();
}

QStringList SummaryWindow::Column(int col) {
    QStringList texts;
    for (int row = 1; row < Grid().Rows(); ++row)
        texts << Grid().TextMatrix(row, col);
    return texts;
}

int SummaryWindow::RowOf(const QByteArray& path) {
    return Column(0).indexOf(ShownText(path)) + 1;
}

QStringList SummaryWindow::EditMenuEntries() {
    QStringList entries;
    for (QAction* action : window->menuBar()->findChild<QMenu*>("Edit")->actions())
        entries << action->text();
    return entries;
}

void SummaryWindow::ClickHeading(int col) {
    QHeaderView* header = window->Grid().horizontalHeader();
    // The middle of the heading: its edges are the separators, where a drag resizes.
    const QPoint at(header->sectionViewportPosition(col) + header->sectionSize(col) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

QPoint SummaryWindow::RowPoint(int row) {
    const FlexGrid& grid = window->Grid();
    return QPoint(5, grid.rowViewportPosition(row - 1) + grid.rowHeight(row - 1) / 2);
}

// The press of a double click's first half chooses the row that the double click acts on.
void SummaryWindow::DoubleClickRow(int row) {
    QWidget* viewport = window->Grid().viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, RowPoint(row));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, RowPoint(row));
}

void SummaryWindow::RightClick(QPoint at, const QString& choice) {
    popupChoice = choice;
    QTest::mouseClick(window->Grid().viewport(), Qt::RightButton, {}, at);
}

void SummaryWindow::RightClickHeading(const QString& choice) {
    popupChoice = choice;
    QHeaderView* header = window->Grid().horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::RightButton, {}, QPoint(5, header->height() - 2));
}

Words StartOn(const QByteArray& path, std::initializer_list<const char*> switches) {
    Words words{path};
    for (const char* word : switches)
        words.emplace_back(word);
    return words;
}

void SummaryWindow::Trigger(const char* item) {
    window->findChild<QAction*>(item)->trigger();
}

void MakeSizedTree(TempTree& tree) {
    tree.File("own", 1);
    tree.File("small/a", 10);
    tree.File("small/b", 10);
    tree.File("large/a", 1000);
    tree.File("medium/a", 100);
    tree.File("medium/b", 100);
    tree.File("medium/c", 100);
}
