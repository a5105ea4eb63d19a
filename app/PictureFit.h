// Where a picture goes inside an area it may be larger than: pictures never grow, and larger ones
// shrink by eight ninths of both sides until they fit, centred in the area.
#pragma once

struct TPictureRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  bool operator==(const TPictureRect&) const = default;
};

// The viewer's and the full-screen form's rule: each step truncates to whole pixels.
TPictureRect FitPicture(int AreaWidth, int AreaHeight, int PictureWidth, int PictureHeight);

// The dialogs' preview rule: the steps keep fractions, and only the final values are truncated.
TPictureRect FitPreview(int AreaWidth, int AreaHeight, int PictureWidth, int PictureHeight);
