// Templates of the name-entry and About dialogs.
#include "ResourceTables.h"
#include "resource.h"

namespace {

// The OK button's id, which the window host also returns when the dialog ends with OK.
constexpr int BUTTON_ID_OK = 1;

// Pop-up, caption, system menu, modal frame, font given by the template.
constexpr std::uint32_t DLG_STYLE = 0x80C800C0;
// Visible, bordered, tab stop, scrolls horizontally; single line, left-aligned.
constexpr std::uint32_t EDIT_STYLE = 0x50810080;
// Visible, tab stop, default push button.
constexpr std::uint32_t DEFBUTTON_STYLE = 0x50010001;
// Visible, starts a group, left-aligned text.
constexpr std::uint32_t LABEL_STYLE = 0x50020000;
// Visible, shows an icon.
constexpr std::uint32_t ICON_STYLE = 0x50000003;

// "ＭＳ Ｐゴシック" in code page 932.
constexpr std::string_view DLG_FONT = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr int DLG_POINT_SIZE = 9;

// Template order is also the tab order.
constexpr ResControl NAME_CONTROLS[] = {
    {ResControlKind::Edit, IDC_NAME, 19, 18, 93, 16, EDIT_STYLE, "", 0},
    {ResControlKind::PushButton, BUTTON_ID_OK, 52, 40, 30, 14, DEFBUTTON_STYLE, "OK", 0},
    {ResControlKind::Label, IDC_STATIC, 12, 7, 108, 8, LABEL_STYLE, "Type your Name.(Within 8 character)", 0},
};

constexpr ResControl ABOUT_CONTROLS[] = {
    {ResControlKind::PushButton, BUTTON_ID_OK, 154, 7, 50, 14, DEFBUTTON_STYLE, "OK", 0},
    {ResControlKind::Icon, IDC_STATIC, 7, 14, 18, 21, ICON_STYLE, "", IDI_APPICON},
    {ResControlKind::Label, IDC_STATIC, 33, 7, 62, 8, LABEL_STYLE, "Vantrel Ver.0.2", 0},
    {ResControlKind::Label, IDC_STATIC, 33, 22, 112, 8, LABEL_STYLE, "2002.9.12   Vantrel team", 0},
};

} // namespace

const ResDialog g_resNameDialog = {
    135, 61, DLG_STYLE, "Type your Name.", DLG_FONT, DLG_POINT_SIZE, NAME_CONTROLS,
};

// Caption "Vantrelのバージョン情報" in code page 932.
const ResDialog g_resAboutDialog = {
    211,
    49,
    DLG_STYLE,
    "Vantrel\x82\xcc\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1",
    DLG_FONT,
    DLG_POINT_SIZE,
    ABOUT_CONTROLS,
};
