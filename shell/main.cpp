// Entry point of the game: hands over to the application object.
#include "File.h"
#include "WinApp.h"

int main(int argc, char** argv)
{
    // From the start, not only from the first save: any write of the game's
    // (a message to a redirected stderr included) fails rather than ending it.
    CFile::IgnoreWriteSignals();
    return AfxWinMain(argc, argv);
}
