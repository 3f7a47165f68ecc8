#pragma once
// The effects page behind the patch window's Effects button: TFormEffect in the frame, with the
// bookkeeping every page has (the common block's Effects page slot: open flag, window and place),
// refreshed and closed with the patch through the view registry, and the patch sent when the
// page becomes active.
class TFormEffect;
class TPatch;
class TPerformance;

// Opens the effects page of a patch or a performance, or brings the open one to the front.
TFormEffect* OpenEffectsPage(TPatch& patch);
TFormEffect* OpenEffectsPage(TPerformance& performance);
