#include "app/interfacesize.h"

#include <algorithm>
#include <iterator>

#include "app/inifile.h"

int ReadInterfaceSize(const QString& settingsPath) {
  const int percent =
      TIniFile(settingsPath).ReadInteger(QStringLiteral("Interface"), QStringLiteral("Size"), 100);
  return std::find(std::begin(kInterfaceSizes), std::end(kInterfaceSizes), percent) !=
                 std::end(kInterfaceSizes)
             ? percent
             : 100;
}

void ApplyInterfaceSize(int percent) {
  if (percent == 100 || qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) return;
  qputenv("QT_SCALE_FACTOR", QByteArray::number(percent / 100.0));
}
