#pragma once

// Stored fonts carry the face names of Windows fonts. Unmapped, Qt falls back to a mix of Latin
// fonts for them, so they are mapped to the IPA fonts once at start-up, before any drawing.
void InstallFontSubstitutes();
