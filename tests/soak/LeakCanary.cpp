// Leaks on purpose inside a Qt event callback: the sanitizer build must report it with the committed suppressions.
#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

// An odd size that the test's expected output names.
constexpr std::size_t CANARY_BYTES = 4242;
char* volatile g_pCanary = nullptr;

// Called from the event loop, so Qt and the event dispatcher's libraries are
// on the stack of the allocation, as they are for most of the game's own.
void LeakFromCallback()
{
    g_pCanary = new char[CANARY_BYTES];
    g_pCanary = nullptr;
    std::puts("lsan_canary: leaked");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTimer::singleShot(0, [] {
        LeakFromCallback();
        QApplication::quit();
    });
    return QApplication::exec();
}
