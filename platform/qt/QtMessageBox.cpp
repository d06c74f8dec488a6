// Message boxes built on QMessageBox, with the copy shortcut and the table font added.
#include "QtMessageBox.h"

#include "QtBoxWindow.h"
#include "QtText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr UINT MB_TYPEMASK = 0x0F;
constexpr UINT MB_ICONMASK = 0xF0;
// Texts with at least this many lines are tables.
constexpr qsizetype TABLE_MIN_LINES = 3;
// Fixed-width Japanese font whose full-width characters are exactly two columns.
constexpr const char* TABLE_FONT = "IPAGothic";
// QMessageBox's own name for the label that shows the text.
constexpr const char* TEXT_LABEL_NAME = "qt_msgbox_label";
constexpr const char* CLIPBOARD_RULE = "---------------------------\n";
// A line of text takes at most this fraction of the screen's width (as QMessageBox itself wraps).
constexpr int SCREEN_WIDTH_PER_LINE = 2;
// A word longer than this many lines is shortened in its middle.
constexpr int MAX_WORD_LINES = 8;
constexpr char16_t ZERO_WIDTH_SPACE = u'\u200B';

QMessageBox::Icon IconOf(UINT nType)
{
    switch (nType & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    default:
        return QMessageBox::NoIcon;
    }
}

// The text as shown, so that the box fits the screen: a word (a long path) wider than a line may break anywhere, and
// one of more than MAX_WORD_LINES lines is cut in its middle.
QString FitToScreen(const QString& text, const QFontMetrics& metrics, int nLineWidth)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        QStringList words = line.split(QLatin1Char(' '));
        for (QString& word : words) {
            if (metrics.horizontalAdvance(word) <= nLineWidth)
                continue;
            QString breakable;
            for (const QChar ch : metrics.elidedText(word, Qt::ElideMiddle, nLineWidth * MAX_WORD_LINES)) {
                breakable += ch;
                if (!ch.isHighSurrogate())
                    breakable += QChar(ZERO_WIDTH_SPACE);
            }
            word = breakable;
        }
        line = words.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

CQtMessageBox::CQtMessageBox(QWidget* pOwner, std::string_view text, std::string_view caption, UINT nType)
    : QMessageBox(pOwner), m_text(FromCp932(text))
{
    setWindowFlags(BoxWindowFlags());
    setWindowTitle(FromCp932(caption));
    setTextFormat(Qt::PlainText);
    const QScreen* pScreen = pOwner != nullptr ? pOwner->screen() : QGuiApplication::primaryScreen();
    setText(FitToScreen(m_text, fontMetrics(), pScreen->availableGeometry().width() / SCREEN_WIDTH_PER_LINE));
    setIcon(IconOf(nType));
    m_pOK = addButton(QMessageBox::Ok);
    if ((nType & MB_TYPEMASK) == MB_OKCANCEL) {
        m_pCancel = addButton(QMessageBox::Cancel);
        setEscapeButton(m_pCancel);
    }
    setDefaultButton(m_pOK);
    if (m_text.count(QLatin1Char('\n')) + 1 >= TABLE_MIN_LINES)
        UseFixedWidthFont();
}

int CQtMessageBox::Run()
{
    if (QWidget* pOwner = parentWidget())
        AwaitPlacement(pOwner);
    // The wait runs events: the owner may be gone by now.
    if (!m_bCancelled)
        exec();
    return m_bCancelled || (m_pCancel != nullptr && clickedButton() != m_pOK) ? IDCANCEL : IDOK;
}

void CQtMessageBox::Cancel()
{
    m_bCancelled = true;
    reject();
}

QString CQtMessageBox::ClipboardText() const
{
    QString buttons;
    for (QPushButton* pButton : {m_pOK, m_pCancel}) {
        if (pButton != nullptr)
            buttons += pButton->text().remove(QLatin1Char('&')) + QStringLiteral("   ");
    }
    const QString rule = QString::fromLatin1(CLIPBOARD_RULE);
    return rule + windowTitle() + QLatin1Char('\n') + rule + m_text + QLatin1Char('\n') + rule + buttons +
           QLatin1Char('\n') + rule;
}

void CQtMessageBox::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(ClipboardText());
        pEvent->accept();
        return;
    }
    QMessageBox::keyPressEvent(pEvent);
}

bool CQtMessageBox::event(QEvent* pEvent)
{
    const bool bResult = QMessageBox::event(pEvent);
    if (pEvent->type() == QEvent::LayoutRequest)
        FitCaption();
    return bResult;
}

// QMessageBox takes its size here, before the window itself is shown: the
// box is placed once it has it.
void CQtMessageBox::showEvent(QShowEvent* pEvent)
{
    QMessageBox::showEvent(pEvent);
    FitCaption();
    if (QWidget* pOwner = parentWidget())
        CentreOnOwner(this, pOwner);
}

// QMessageBox allows the caption only a narrow margin of its own, which
// window managers cut to "Va...0.2".
void CQtMessageBox::FitCaption()
{
    const int nWidth = CaptionFitWidth(windowTitle());
    if (width() < nWidth)
        setFixedWidth(nWidth);
}

void CQtMessageBox::UseFixedWidthFont()
{
    auto* pLabel = findChild<QLabel*>(QLatin1String(TEXT_LABEL_NAME));
    if (pLabel == nullptr)
        return;
    QFont font(QString::fromLatin1(TABLE_FONT));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(pLabel->font().pointSizeF());
    pLabel->setFont(font);
}
