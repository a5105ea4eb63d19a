// A small skin made by the tests: an INI text with pictures drawn in memory, written to a folder.
#pragma once

#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Forms.h"

#include <string>
#include <vector>

namespace skindatatesting {

// A 24-bit picture whose pixel (x, y) has red x, green y and blue Seed.
void DrawCoded(classlib::TBitmap& Bitmap, int Width, int Height, int Seed);
bool SamePixels(const classlib::TBitmap& A, const classlib::TBitmap& B);

// The INI text of the test skin; Extra is appended (further sections or keys).
std::string TestSkinIni(const std::string& Extra = "");
// Writes the test skin into Dir: skin.ini, frame.bmp, mask.bmp, sheet.bmp, photo.jpg.
void WriteTestSkin(const testing_support::TempDir& Dir, const std::string& Ini = TestSkinIni());

// A form that records the skin-change messages it is sent.
class TRecordingForm : public classlib::TForm {
public:
  struct TEntry {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    TRecordingForm* Form;
  };
  TRecordingForm(std::vector<TEntry>& Log) : TForm(nullptr), FLog(Log) {}

protected:
  void Dispatch(classlib::TMessage& Message) override;

private:
  std::vector<TEntry>& FLog;
};

}  // namespace skindatatesting
