#include "winAbout.h"

#include "App.h"
#include "BundlePictures.h"
#include "Canvas.h"
#include "ClassRegistry.h"
#include "Graphics.h"
#include "Picture.h"
#include "StaticText.h"

namespace {

const char* const kNotice = "Wordloom, the custom dictionary editor\r"
                            "\u00A9 2026 the Wordloom developers\r"
                            "All rights reserved.";

// A box of fixed size; the fields left out keep the framework's defaults.
WindowDesign AboutDesign() {
    return {.Placement = 1,
            .Width = 285,
            .Height = 190,
            .Title = "About Wordloom",
            .Resizeable = false,
            .LiveResize = false,
            .MaximizeButton = false,
            .MinimizeButton = false};
}

void Place(ControlDesign& design, int32_t left, int32_t top, int32_t width, int32_t height,
           int32_t tabIndex) {
    design.Left = left;
    design.Top = top;
    design.Width = width;
    design.Height = height;
    design.TabIndex = tabIndex;
    design.LockLeft = design.LockTop = true;
    design.LockRight = design.LockBottom = false;
    design.Enabled = design.Visible = true;
    design.HelpTag = "";
}

CanvasDesign IconDesign() {
    CanvasDesign design;
    Place(design, 110, 14, 64, 64, 0);
    design.TabStop = true;
    design.AcceptFocus = false;
    return design;
}

StaticTextDesign LabelDesign(int32_t left, int32_t top, int32_t width, int32_t height, int32_t tabIndex,
                             const String& text, const String& font, bool bold, bool multiline) {
    StaticTextDesign design;
    Place(design, left, top, width, height, tabIndex);
    design.Text = text;
    design.TextFont = font;
    design.Bold = bold;
    design.Italic = design.Underline = false;
    design.TextAlign = 1;
    design.Multiline = multiline;
    return design;
}

} // namespace

void winAbout::Layout() {
    ApplyDesign(AboutDesign());
}

void winAbout::CreateControls() {
    _CreateControls0();
}

void winAbout::_CreateControls0() {
    _AddControl("cvsIcon", New<Canvas>());
    cvsIcon()->ApplyDesign(IconDesign());
    cvsIcon()->Paint = [this](const Ref<Graphics>& g) { cvsIcon_Paint(g); };

    _AddControl("lblApp", New<StaticText>());
    lblApp()->TextUnit(0);
    lblApp()->ApplyDesign(LabelDesign(82, 87, 120, 20, 1, "Wordloom", "System", true, false));

    _AddControl("lblVersion", New<StaticText>());
    lblVersion()->TextUnit(0);
    lblVersion()->ApplyDesign(LabelDesign(67, 111, 150, 20, 2, "Untitled", "SmallSystem", false, false));

    _AddControl("lblCopyright", New<StaticText>());
    lblCopyright()->TextUnit(0);
    lblCopyright()->ApplyDesign(LabelDesign(42, 136, 200, 40, 3, kNotice, "SmallSystem", false, true));
}

Ref<Canvas> winAbout::cvsIcon() const {
    return Control<Canvas>("cvsIcon");
}

Ref<StaticText> winAbout::lblApp() const {
    return Control<StaticText>("lblApp");
}

Ref<StaticText> winAbout::lblVersion() const {
    return Control<StaticText>("lblVersion");
}

Ref<StaticText> winAbout::lblCopyright() const {
    return Control<StaticText>("lblCopyright");
}

void winAbout::cvsIcon_Paint(const Ref<Graphics>& g) {
    // Composed anew on every paint; only the two source pictures are kept, by their accessors.
    Ref<Picture> icon = NewPicture(64, 64, 32);
    icon->GraphicsObject()->DrawPicture(abouticon(), 0, 0);
    icon->Mask(true)->GraphicsObject()->DrawPicture(abouticonmask(), 0, 0);
    g->DrawPicture(icon, 0, 0);
}

void winAbout::Event_Open() {
    Ref<StaticText> label = lblVersion();
    label->Text("Version " + Str(App()->MajorVersion) + "." + Str(App()->MinorVersion) + "." +
                Str(App()->BugVersion) + " (" + Str(App()->NonReleaseVersion) + ")");
}

ClassInfo winAboutClassInfo() {
    const Scope P = Scope::Public, Hidden = Scope::PublicHidden;
    return {"winAbout",
            "Window",
            {{"Layout", P},
             {"CreateControls", P},
             {"_CreateControls0", Hidden},
             {"cvsIcon", P},
             {"lblApp", P},
             {"lblVersion", P},
             {"lblCopyright", P},
             {"cvsIcon_Paint", P},
             {"Event_Open", P}}};
}

Ref<class winAbout> winAbout() {
    return ImplicitInstance<class winAbout>("winAbout.winAbout");
}
