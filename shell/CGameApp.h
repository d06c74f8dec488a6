// The application object: starts the game by opening its one frame window.
#pragma once

#include "WinApp.h"

class CGameApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

// The one application object, made during static initialisation.
extern CGameApp theApp;
