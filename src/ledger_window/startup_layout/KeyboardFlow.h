#pragma once
// How the keyboard moves through the ledger window: the Tab order of its
// fields and what Enter does in them.

class frmAccountDetails;

// Sets the Tab order of the window's controls and the Enter handling of its
// filter fields. Called once, after the controls and their handlers exist.
void SetUpKeyboardFlow(frmAccountDetails &window);
