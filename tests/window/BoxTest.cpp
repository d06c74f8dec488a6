// Message boxes over the frame: size and place, quit prompt, closing, the ranking box with the game behind it.
#include "WindowTest.h"

#include "NameDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QRegularExpression>

namespace {

// How long a box stays open while the game runs behind it: about ten ticks.
constexpr int TICKS_UNDER_BOX_MS = 200;

// What a player sees of a box, and what Ctrl+C put on the clipboard.
struct Seen {
    QString text, font, copied, caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Reads the box, copies it, then presses nKey in it.
void ReadAndPress(QWidget* pModal, Seen& seen, Qt::Key nKey)
{
    auto* pBox = qobject_cast<QMessageBox*>(pModal);
    ASSERT_NE(pBox, nullptr);
    const QFont font = pBox->findChild<QLabel*>("qt_msgbox_label")->font();
    seen = {pBox->text(), QFontInfo(font).family(), {}, pBox->windowTitle(), pBox->icon(), pBox->standardButtons()};
    QTest::keyClick(WindowTest::KeyTarget(pBox), Qt::Key_C, Qt::ControlModifier);
    seen.copied = QApplication::clipboard()->text();
    QTest::keyClick(WindowTest::KeyTarget(pBox), nKey);
}

} // namespace

using BoxTest = WindowTest;

// Every box and dialog: its caption whole beside icon and close button in a usual title-bar font (bold, up to 11
// points), a close button only, its frame centred on the frame's.
TEST_F(BoxTest, BoxesAndDialogsFitTheirCaptionShowOnlyCloseAndOpenCentredOnTheFrame)
{
    OpenFrame();
    const std::pair<const char*, std::function<void()>> openers[] = {
        {"start box", [this] { MenuAction("Start(&S)")->trigger(); }},
        {"quit prompt", [this] { QTest::keyClick(Client(), Qt::Key_Escape); }},
        {"About dialog", [this] { MenuAction("About(&A)")->trigger(); }},
        {"name dialog", [this] { CNameDlg(Frame()).DoModal(); }},
    };
    for (const auto& [name, open] : openers) {
        SCOPED_TRACE(name);
        OnNextModal([this](QWidget* pModal) {
            QFont font = QApplication::font();
            font.setBold(true);
            font.setPointSizeF(std::max(font.pointSizeF(), 11.0));
            const QFontMetrics title(font);
            EXPECT_GE(pModal->width(), title.horizontalAdvance(pModal->windowTitle()) + 3 * title.height());
            EXPECT_FALSE(pModal->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
            EXPECT_TRUE(pModal->windowFlags() & Qt::CustomizeWindowHint) << "the window manager keeps to the flags";
            // A window manager may still be adding the frame.
            for (int i = 0; i < 50 && pModal->frameGeometry() == pModal->geometry() &&
                            Window()->frameGeometry() != Window()->geometry();
                 ++i)
                QTest::qWait(10);
            const QPoint offset = pModal->frameGeometry().center() - Window()->frameGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << ", " << offset.y();
            QTest::keyClick(KeyTarget(pModal), Qt::Key_Escape);
        });
        open();
        QTest::qWait(20);
    }
}

// Closing from the title bar then destroys at once, without the prompt.
TEST_F(BoxTest, EscapeAsksToQuitCtrlCCopiesTheBoxCancelKeepsTheWindowAndTheCloseBoxDoesNotAsk)
{
    OpenFrame();
    Seen seen;
    OnNextModal([&](QWidget* pBox) { ReadAndPress(pBox, seen, Qt::Key_Escape); });
    QTest::keyClick(Client(), Qt::Key_Escape);
    EXPECT_EQ(seen.text, "Do you quit Game?");
    EXPECT_EQ(seen.caption, "Vantrel Ver0.2");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_NE(seen.font, "IPAGothic") << "a one-line text keeps the desktop's font";
    // Caption, text, then the buttons.
    EXPECT_TRUE(seen.copied.contains(QRegularExpression("Vantrel Ver0.2.*Do you quit Game\\?.*OK   Cancel",
                                                        QRegularExpression::DotMatchesEverythingOption)))
        << seen.copied.toStdString();
    QTest::qWait(20);
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Client()) << "the frame has the keyboard again";

    OnNextModal([&seen](QWidget* pBox) { ReadAndPress(pBox, seen, Qt::Key_Escape); });
    seen = {};
    Window()->close();
    QTest::qWait(50);
    EXPECT_EQ(seen.text, "");
    EXPECT_EQ(Frame(), nullptr);
}

// The menu's ranking box: the game goes on behind it; a failing save is reported after it, the game still going on.
TEST_F(BoxTest, RankingBoxShowsTheTableInItsFontWithTheGameBehindAndReportsAFailingSave)
{
    OpenFrame();
    StartGame();
    ASSERT_TRUE(QFile::remove("rank.vtd") && QDir().mkdir("rank.vtd")); // the save cannot open a directory
    Seen ranking, error;
    QImage before, after;
    OnNextModal([&](QWidget* pRanking) {
        before = ScreenPicture();
        QTest::qWait(TICKS_UNDER_BOX_MS);
        after = ScreenPicture();
        OnNextModal([&](QWidget* pError) { ReadAndPress(pError, error, Qt::Key_Return); });
        ReadAndPress(pRanking, ranking, Qt::Key_Return);
    });
    MenuAction("Ranking(&R)")->trigger();
    ASSERT_FALSE(before.isNull());
    EXPECT_NE(before, after);
    EXPECT_EQ(ranking.font, "IPAGothic");
    // The report's header in full-width stars and spaces, then its first and last places.
    EXPECT_TRUE(ranking.copied.contains(QStringLiteral("\u2606\u2605\u2606\u2605\u2606\u2605\u3000Ranking\u3000"
                                                       "\u2605\u2606\u2605\u2606\u2605\u2606\n\n 1 : stage")));
    EXPECT_TRUE(ranking.copied.contains(" 5 : stage"));
    EXPECT_TRUE(error.text.contains("rank.vtd")) << error.text.toStdString();
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    const QImage later = ScreenPicture();
    QTest::qWait(TICKS_UNDER_BOX_MS);
    EXPECT_NE(ScreenPicture(), later) << "the game goes on";
}
