// A bare Qt window of the game's size and menu bar, the yardstick for the game's start-up time and memory.
#include "BareClient.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    // The same menu bar as the game's, so that the same text is laid out;
    // the commands do nothing.
    QMenu* pGame = window.menuBar()->addMenu(QStringLiteral("Game(&G)"));
    pGame->addAction(QStringLiteral("Start(&S)"));
    pGame->addAction(QStringLiteral("Exit(&X)"));
    window.menuBar()->addAction(QStringLiteral("Ranking(&R)"));
    window.menuBar()->addAction(QStringLiteral("About(&A)"));
    window.setCentralWidget(new CBareClient);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return QApplication::exec();
}
