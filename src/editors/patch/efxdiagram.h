#pragma once
// The two pictures of the effects page: the signal flow of each EFX type (Page 2) and the reverb's
// high-frequency damping curve (Page 1). Plain painters (QtGui), so the page, the tests and any
// listing can draw them onto whatever surface they have.
class QPainter;
class QSize;

// The picture's own size; painters of another size are scaled to it.
inline constexpr int kEfxDiagramWidth = 263;
inline constexpr int kEfxDiagramHeight = 111;

// The signal flow of EFX list item `item` (1 to 40, the stored type + 1). feedbackMode is the
// "FeedBack Mode" byte (0 "Normal", 1 "Cross"); only items 17 and 18 draw it. An item outside
// 1 to 40 draws the empty frame.
void DrawEfxDiagram(QPainter& painter, const QSize& size, int item, int feedbackMode);

// The "Reverb HF Damp " picture for value 0 ("200") to 17 ("ByPass").
inline constexpr int kHfDampWidth = 60;
inline constexpr int kHfDampHeight = 50;
void DrawHfDamp(QPainter& painter, const QSize& size, int value);
