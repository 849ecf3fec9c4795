#pragma once
// The About box: a message box with no owner.
void ShowAboutBox();
