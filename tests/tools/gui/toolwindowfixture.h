#pragma once
// The tool windows' tests: the tools' session, and a host whose settings live in a map.
#include <map>

#include "tools/toolhost.h"
#include "toolsfixture.h"

class TToolWindowTest : public TToolSessionTest {
 protected:
  void SetUp() override {
    TToolSessionTest::SetUp();
    TToolHost& host = ToolHost();
    host = TToolHost();
    host.ReadInteger = [this](const QString& section, const QString& key, int fallback) {
      const auto it = settings.find((section + u'/' + key).toStdString());
      return it == settings.end() ? fallback : it->second;
    };
    host.WriteInteger = [this](const QString& section, const QString& key, int value) {
      settings[(section + u'/' + key).toStdString()] = value;
    };
    host.SetKeyboardOpen = [this](bool open) { keyboardOpen = open; };
    host.EnableMenuItems = [this] { ++menusEnabled; };
  }
  void TearDown() override {
    ToolHost() = TToolHost();
    TToolSessionTest::TearDown();
  }

  std::map<std::string, int> settings;
  bool keyboardOpen = false;
  int menusEnabled = 0;
};
