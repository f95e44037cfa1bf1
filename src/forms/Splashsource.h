// The start-up picture, shown while the main window is created.
#pragma once

#include "forms/Host.h"

namespace tavro {

class TSplash : public Form {
public:
    TSplash() : Form("Splash", "Splash") {
        SplashImage.setPictureFile("Startup.bmp");
    }

    Image SplashImage{*this, "SplashImage"};
};

}  // namespace tavro
