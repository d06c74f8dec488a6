// A fresh working directory and a fixed clock for the tests that run the game, with the ready field of that clock.
#pragma once

#include "Bitmap.h"
#include "CGame.h"
#include "DC.h"
#include "FixedClockRuntime.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

inline COLORREF Pixel(const CBitmap& bmp, int x, int y)
{
    return CBitmap::FromPixel(bmp.Bits()[y * bmp.GetWidth() + x]);
}

// The working directory is a new folder under the system's temporary one while this lives; the folder goes with
// everything in it, read-only folders too.
class CTempDir {
public:
    CTempDir()
    {
        std::random_device random;
        for (int i = 0; i < 100 && m_dir.empty(); ++i) {
            const auto dir = std::filesystem::temp_directory_path() / ("vantrel-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(dir))
                m_dir = dir;
        }
        if (m_dir.empty())
            throw std::runtime_error("cannot make a temporary directory");
        std::filesystem::current_path(m_dir);
    }
    ~CTempDir()
    {
        std::error_code error;
        std::filesystem::current_path(m_oldDir, error);
        for (const auto& e : std::filesystem::recursive_directory_iterator(m_dir, error))
            if (e.is_directory() && !e.is_symlink())
                std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(m_dir, error);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    std::filesystem::path m_oldDir = std::filesystem::current_path(), m_dir;
};

class CTestScene : public CTempDir {
public:
    explicit CTestScene(std::time_t tSecond) : m_clock(tSecond)
    {
        m_field.CreateBitmap(640, 400);
        CDC dc;
        dc.SelectObject(&m_field);
        CGame(m_clock).DrawField(dc);
    }

    // Ticks survived by a head that falls straight from the start through the ready field.
    int DropScore() const
    {
        int n = 0;
        while (Pixel(m_field, 11 + n, 199 + 2 * n) == 0)
            ++n;
        return n;
    }

    CFixedClockRuntime m_clock;
    CBitmap m_field; // the stage-1 field the core draws at the clock's first second
};
