// Code page 932 <-> UTF-8 through the C library's iconv.
#include "Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace {

constexpr std::string_view REPLACEMENT_UTF8 = "\xEF\xBF\xBD"; // U+FFFD

// One iconv conversion descriptor, closed when the converter goes away.
class CIconv {
public:
    CIconv(const char* pszTo, const char* pszFrom) : m_cd(iconv_open(pszTo, pszFrom)) {}
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;
    ~CIconv()
    {
        if (IsOpen())
            iconv_close(m_cd);
    }

    // iconv_open's documented failure value is (iconv_t)-1.
    bool IsOpen() const { return m_cd != iconv_t(-1); } // NOLINT(performance-no-int-to-ptr)

    // Converts as much of `in` as it can, appending to `out`; returns false
    // and leaves `in` at the offending byte when a sequence is invalid or
    // incomplete, true when everything was converted.
    bool Convert(std::string_view& in, std::string& out)
    {
        char* pIn = const_cast<char*>(in.data());
        std::size_t nInLeft = in.size();
        char buffer[256];
        while (nInLeft > 0) {
            char* pOut = buffer;
            std::size_t nOutLeft = sizeof buffer;
            const std::size_t result = iconv(m_cd, &pIn, &nInLeft, &pOut, &nOutLeft);
            const int nError = errno;
            out.append(buffer, std::size_t(pOut - buffer));
            if (result == std::size_t(-1) && nError != E2BIG) {
                in = std::string_view(pIn, nInLeft);
                return false;
            }
        }
        in = {};
        return true;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::string Cp932ToUtf8(std::string_view bytes)
{
    std::string utf8;
    CIconv converter("UTF-8", "CP932");
    while (!bytes.empty()) {
        if (converter.IsOpen() && converter.Convert(bytes, utf8))
            break;
        // A byte that starts no valid sequence: replace it and go on after it.
        const auto ch = static_cast<unsigned char>(bytes.front());
        if (ch < 0x80 && !converter.IsOpen())
            utf8 += char(ch);
        else
            utf8 += REPLACEMENT_UTF8;
        bytes.remove_prefix(1);
    }
    return utf8;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8)
{
    CIconv converter("CP932", "UTF-8");
    std::string bytes;
    if (!converter.IsOpen() || !converter.Convert(utf8, bytes))
        return std::nullopt;
    return bytes;
}
