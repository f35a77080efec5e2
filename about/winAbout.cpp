#include "winAbout.h"

#include "ClassRegistry.h"

// FIXME: the About box is not built yet.
void winAbout::Layout() {}
void winAbout::CreateControls() {}
void winAbout::_CreateControls0() {}
Ref<Canvas> winAbout::cvsIcon() const {
    return nullptr;
}
Ref<StaticText> winAbout::lblApp() const {
    return nullptr;
}
Ref<StaticText> winAbout::lblVersion() const {
    return nullptr;
}
Ref<StaticText> winAbout::lblCopyright() const {
    return nullptr;
}
void winAbout::cvsIcon_Paint(const Ref<Graphics>&) {}
void winAbout::Event_Open() {}

ClassInfo winAboutClassInfo() {
    return {"winAbout", "Window", {}};
}

Ref<class winAbout> winAbout() {
    return ImplicitInstance<class winAbout>("winAbout.winAbout");
}
