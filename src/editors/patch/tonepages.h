#pragma once
// Opening the tone pages from the patch window's part buttons.

// Registers the opener of every tone page (wave, pitch, TVF, TVA, LFO 1, LFO 2, control) with
// the patch window.
void RegisterTonePages();
