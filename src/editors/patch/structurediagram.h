#pragma once
// StructureDiagram: the picture of how two tones of a patch are joined, for structure types 0 to
// 9 (labels "Type 1" to "Type 10"): the upper row is the first tone of the pair, the lower row
// the second; WG, TVF and TVA boxes, a booster (B) or ring modulator (R), and the signal lines.
#include <QSize>

class QPainter;

// Draws type (0 to 9) into a picture of the given size (200 x 57 on the common page); firstTone
// is 1 for the upper picture (tones 1 and 2) and 3 for the lower one (tones 3 and 4).
void StructureDiagram(QPainter& painter, QSize size, int type, int firstTone);
