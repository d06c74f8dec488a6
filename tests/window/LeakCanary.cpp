// Leaks on purpose inside a Qt event callback: the sanitizer build must report it with the committed suppressions.
#include <QApplication>
#include <QTimer>

#include <cstdio>

// An odd size that the test's expected output names.
constexpr std::size_t CANARY_BYTES = 4242;
char* volatile g_pCanary = nullptr;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // From the event loop, so that Qt and the event dispatcher's libraries are on the allocation's stack, as they are
    // for most of the game's own.
    QTimer::singleShot(0, [] {
        g_pCanary = new char[CANARY_BYTES];
        g_pCanary = nullptr;
        std::puts("lsan_canary: leaked");
        QApplication::quit();
    });
    return QApplication::exec();
}
