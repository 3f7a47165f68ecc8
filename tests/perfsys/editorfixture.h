#pragma once
// The editor windows against a loopback port (every message they send recorded, pacing
// shortened); the objects start out as the current ones so that only the edits are sent. It
// includes the windows and the widgets the tests drive.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "controls/myedit.h"
#include "controls/panslider.h"
#include "editors/common/partkind.h"
#include "editors/params/wavegroup.h"
#include "editors/performance/formpart.h"
#include "editors/performance/formpercomm.h"
#include "editors/performance/formperformance.h"
#include "editors/performance/namepicker.h"
#include "editors/rhythm/formrhythm.h"
#include "editors/rhythm/rhythmnotewindows.h"
#include "editors/system/formsystem.h"
#include "editors/system/systemwindows.h"
#include "model/headlesshost.h"
#include "tests/model/modelfixture.h"

class TEditorTest : public TSendTest {
 protected:
  std::vector<TBytes> Sent() const { return loop->Sent(); }
  void ClearSent() { loop->ClearSent(); }
  // Only the data sets sent (the data requests left out).
  std::vector<TBytes> DataSets() const {
    std::vector<TBytes> sets;
    for (const TBytes& m : loop->Sent())
      if (m.size() > 4 && m[0] == 0xF0 && m[4] == 0x12) sets.push_back(m);
    return sets;
  }
  // One press and release of a value field's arrow.
  static void Step(TMyEdit* edit, bool up) {
    QWidget* button = up ? edit->UpButton() : edit->DownButton();
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
  }
};
