#pragma once

// Qt needs a platform plugin before fonts can be used. A headless program (the export command,
// the tests) draws with the offscreen one unless a platform was chosen in the environment; call
// this before creating the QGuiApplication.
void PreferOffscreenPlatform();
