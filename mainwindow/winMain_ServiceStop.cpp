#include "winMain.h"

#include "MsgBox.h"
#include "Shell.h"
#include "SpellingService.h"

void winMain::KillAppleSpell() {
    Ref<Shell> shell = New<Shell>();
    shell->Mode = 0;
    shell->Execute(SpellingService::ListCommand());
    String listing = shell->Result();
    if (listing.empty())
        return;
    shell->Execute(SpellingService::StopCommand(SpellingService::LabelFromListing(listing)));
    // The stop prints nothing when it succeeds.
    if (shell->Result().empty())
        return;
    MsgBox("I tried to stop the AppleSpell service, but was unsuccessful. You should probably open Activity "
           "Monitor and quit the AppleSpell.service in order to save your dictionary file. Don't worry, it "
           "will auto-start all by itself.");
}
