// Entry point of the game: hands over to the application object.
#include "WinApp.h"

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}
