#pragma once
// The effects page behind the patch window's Effects button and the performance window's Effects
// panel: TFormEffect in the frame at the common block's Effects page slot.
class TFormEffect;
class TPatch;
class TPerformance;

// Opens the effects page of a patch or a performance, or brings the open one to the front.
TFormEffect* OpenEffectsPage(TPatch& patch);
TFormEffect* OpenEffectsPage(TPerformance& performance);
