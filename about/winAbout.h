#pragma once

#include "Window.h"

class Canvas;
class Graphics;
class StaticText;
struct ClassInfo;

/// The About box: the application's icon, name, version and the maker's notice.
class winAbout : public Window {
  public:
    // Construction
    void Layout() override;
    void CreateControls() override;
    void _CreateControls0();

    // Controls, found by name
    Ref<Canvas> cvsIcon() const;
    Ref<StaticText> lblApp() const;
    Ref<StaticText> lblVersion() const;
    Ref<StaticText> lblCopyright() const;

    // Events
    void cvsIcon_Paint(const Ref<Graphics>& g);
    void Event_Open() override;
};

ClassInfo winAboutClassInfo();

/// The open About box, or a new one, shown at once.
Ref<class winAbout> winAbout();
