// A started desktop program on the offscreen platform, with its settings in a fresh folder.
#pragma once
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "ui/app.h"

class WindowTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  VorelApp app;
  // Settings text written to Vorel.ini before the start (empty: no file).
  virtual std::string StartSettings() const { return {}; }
  void SetUp() override;
  void TearDown() override;
  // Put a puzzle on the board as givens (81 characters, 0 or . for empty).
  void LoadGivens(const std::string& grid);
  // Press a key on the board area as a user would.
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Type(const QString& text);
  // The board area painted into an image of the given size.
  QImage Paint(int width, int height);
  // Runs `action`; the modal window that comes up meanwhile is handed to `act` (which closes
  // it). Returns whether one came up.
  static bool WithModal(const std::function<void()>& action,
                        const std::function<void(QWidget*)>& act);
};
