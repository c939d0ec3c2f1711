#pragma once

// The start-up rules that decide which first dialogs appear.
namespace StartupSequence {

// The disclaimer is due unless the user ticked "don't show again"; then it comes back on every
// tenth start. Counts this start in "RunCount" while the tick is set.
bool DisclaimerDue();
// The disclaimer's OK: the check box state is stored.
void AcceptDisclaimer(bool dontShowAgain);
// The Initial Setup dialog is offered until it was confirmed once.
bool InitialSetupDue();
void InitialSetupDone();

} // namespace StartupSequence
