// Dialogs from templates: controls placed in dialog units, texts in code page 932, data exchange.
#include "QtDialogHost.h"

#include "QtBoxWindow.h"
#include "QtByteLimitValidator.h"
#include "QtResourceImage.h"
#include "QtText.h"
#include "Resources.h"
#include "Wnd.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <string_view>

namespace {

// Fonts the templates name, and what stands in for them here.
struct FontStandIn {
    std::string_view templateName; // code page 932
    const char* family;
};
constexpr FontStandIn FONT_STAND_INS[] = {
    {"\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e", "IPAPGothic"}, // "ＭＳ Ｐゴシック"
    {"\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e", "IPAGothic"},          // "ＭＳ ゴシック"
};

// Style bits of the template's controls.
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x00000001;

// Dialog units: a quarter of the font's average character width across, an
// eighth of its height down; the average width is taken over the 52 Latin
// letters, rounded.
constexpr int DLU_PER_CHAR_X = 4;
constexpr int DLU_PER_CHAR_Y = 8;
constexpr const char* WIDTH_SAMPLE = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int ICON_SIZE = 32;

QFont TemplateFont(const ResDialog& res)
{
    QString family = FromCp932(res.fontName);
    for (const FontStandIn& standIn : FONT_STAND_INS) {
        if (standIn.templateName == res.fontName)
            family = QString::fromLatin1(standIn.family);
    }
    QFont font(family);
    font.setPointSize(res.nPointSize);
    return font;
}

// Pixels per four horizontal and per eight vertical dialog units.
QSize BaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int nSampleWidth = metrics.horizontalAdvance(QString::fromLatin1(WIDTH_SAMPLE));
    return {(nSampleWidth / 26 + 1) / 2, metrics.height()};
}

int MulDiv(int a, int b, int c)
{
    return (a * b + c / 2) / c;
}

QRect ToPixels(const QSize& base, int x, int y, int cx, int cy)
{
    return {MulDiv(x, base.width(), DLU_PER_CHAR_X), MulDiv(y, base.height(), DLU_PER_CHAR_Y),
            MulDiv(cx, base.width(), DLU_PER_CHAR_X), MulDiv(cy, base.height(), DLU_PER_CHAR_Y)};
}

} // namespace

CQtDialogHost::CQtDialogHost(const ResDialog& res, QWidget* pOwner) : QDialog(pOwner, BoxWindowFlags())
{
    setWindowTitle(FromCp932(res.caption));
    setFont(TemplateFont(res));
    const QSize base = BaseUnits(font());
    // A template narrower than its caption needs is widened, its controls
    // kept in the middle.
    const QSize templateSize = ToPixels(base, 0, 0, res.cx, res.cy).size();
    setFixedSize(std::max(templateSize.width(), CaptionFitWidth(windowTitle())), templateSize.height());
    const QPoint shift((width() - templateSize.width()) / 2, 0);
    for (const ResControl& control : res.controls) {
        QWidget* pWidget = CreateControl(control);
        if (control.kind == ResControlKind::Icon)
            pWidget->setGeometry(
                QRect(ToPixels(base, control.x, control.y, 0, 0).topLeft(), QSize(ICON_SIZE, ICON_SIZE)));
        else
            pWidget->setGeometry(ToPixels(base, control.x, control.y, control.cx, control.cy));
        pWidget->move(pWidget->pos() + shift);
        // The stand-in font runs wider than the template's: a label keeps its
        // text whole by growing towards the dialog's right edge.
        if (control.kind == ResControlKind::Label)
            pWidget->resize(std::max(pWidget->width(), std::min(pWidget->sizeHint().width(), width() - pWidget->x())),
                            pWidget->height());
        if (control.nID != -1)
            m_controls[control.nID] = pWidget;
        if ((control.dwStyle & WS_TABSTOP) != 0 && m_pFirstTabStop == nullptr)
            m_pFirstTabStop = pWidget;
    }
}

CQtDialogHost::~CQtDialogHost() = default;

QWidget* CQtDialogHost::CreateControl(const ResControl& control)
{
    switch (control.kind) {
    case ResControlKind::Edit: {
        auto* pEdit = new QLineEdit(FromCp932(control.text), this);
        auto* pValidator = new CQtByteLimitValidator(pEdit);
        connect(pValidator, &CQtByteLimitValidator::Refused, this, &QApplication::beep);
        pEdit->setValidator(pValidator);
        return pEdit;
    }
    case ResControlKind::PushButton: {
        auto* pButton = new QPushButton(FromCp932(control.text), this);
        pButton->setDefault((control.dwStyle & BS_DEFPUSHBUTTON) != 0);
        const int nID = control.nID;
        connect(pButton, &QPushButton::clicked, this, [this, nID] {
            if (nID == IDOK)
                accept();
            else if (nID == IDCANCEL)
                reject();
        });
        return pButton;
    }
    case ResControlKind::Icon: {
        auto* pIcon = new QLabel(this);
        pIcon->setPixmap(LoadResourceIcon(control.nIconID).pixmap(QSize(ICON_SIZE, ICON_SIZE), devicePixelRatio()));
        return pIcon;
    }
    case ResControlKind::Label:
        break;
    }
    auto* pLabel = new QLabel(FromCp932(control.text), this);
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return pLabel;
}

QWidget* CQtDialogHost::FindControl(int nID) const
{
    const auto it = m_controls.find(nID);
    return it != m_controls.end() ? it->second : nullptr;
}

void CQtDialogHost::Attach(CWnd* pWnd)
{
    m_pWnd = pWnd;
}

void CQtDialogHost::FocusFirstTabStop()
{
    if (m_pFirstTabStop != nullptr)
        m_pFirstTabStop->setFocus();
}

INT_PTR CQtDialogHost::RunModalLoop()
{
    if (QWidget* pOwner = parentWidget())
        AwaitPlacement(pOwner);
    // EndDialog may already have come from OnInitDialog.
    if (!m_bEnded)
        exec();
    hide();
    RestoreActivation(parentWidget());
    return m_nResult;
}

// Placed as it is shown, as the message boxes are, so that the window system
// takes the position the same way.
void CQtDialogHost::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (QWidget* pOwner = parentWidget())
        CentreOnOwner(this, pOwner);
}

std::string CQtDialogHost::GetDlgItemText(int nID)
{
    QWidget* pWidget = FindControl(nID);
    QString text;
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget))
        text = pEdit->text();
    else if (auto* pButton = qobject_cast<QPushButton*>(pWidget))
        text = pButton->text();
    else if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
        text = pLabel->text();
    // The edit box takes only what code page 932 can hold, so nothing is lost here.
    return ToCp932(text).value_or(std::string());
}

void CQtDialogHost::SetDlgItemText(int nID, std::string_view text)
{
    QWidget* pWidget = FindControl(nID);
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget))
        pEdit->setText(FromCp932(text));
    else if (auto* pButton = qobject_cast<QPushButton*>(pWidget))
        pButton->setText(FromCp932(text));
    else if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
        pLabel->setText(FromCp932(text));
}

LRESULT CQtDialogHost::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM)
{
    auto* pEdit = qobject_cast<QLineEdit*>(FindControl(nID));
    if (message == EM_LIMITTEXT && pEdit != nullptr)
        pEdit->findChild<CQtByteLimitValidator*>()->SetLimit(int(wParam));
    return 0;
}

void CQtDialogHost::EndDialog(int nResult)
{
    m_bEnded = true;
    m_nResult = nResult;
    done(nResult);
}

void CQtDialogHost::SendCommand(int nID)
{
    if (m_pWnd != nullptr)
        m_pWnd->WindowProc(WM_COMMAND, WPARAM(nID), 0);
}

void CQtDialogHost::accept()
{
    SendCommand(IDOK);
}

void CQtDialogHost::reject()
{
    SendCommand(IDCANCEL);
}
