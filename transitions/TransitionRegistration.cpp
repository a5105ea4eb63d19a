#include "transitions/TransitionRegistration.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/Icon.h"
#include "platform/classlib/Streams.h"
#include "transitions/DBTransitionView.h"
#include "transitions/TransitionView.h"

#include <cstring>
#include <mutex>

using namespace classlib;

namespace transitions {

namespace {

// The properties and events both published controls share.
template <class T>
void PublishCommon(TClassBuilder<T> Builder) {
  using V = TCustomTransitionView;
  Builder.Boolean("AutoSize", &V::SetAutoSize)
      .Enum("BgMode", &V::SetBgMode,
            {{"bmNone", TBackgroundMode::bmNone}, {"bmTiled", TBackgroundMode::bmTiled},
             {"bmStretched", TBackgroundMode::bmStretched}, {"bmCentered", TBackgroundMode::bmCentered}})
      .Custom("BgPicture.Data",
              [](T& view, const TFormValue& v, TReadContext&) {
                if (v.kind != TFormValue::Kind::Binary) throw EReadError("a binary block is expected");
                ReadPictureData(view.BgPicture(), v.Bytes);
              })
      .Boolean("Center", &V::SetCenter)
      .Integer("Delay", &V::SetDelay)
      .Boolean("ExactTiming", &V::SetExactTiming)
      .Boolean("Manual", &V::SetManual)
      .Boolean("OverDraw", &V::SetOverDraw)
      .Boolean("Reverse", &V::SetReverse)
      .Boolean("Stretch", &V::SetStretch)
      .Boolean("StretchFine", &V::SetStretchFine)
      .Integer("Step", &V::SetStep)
      .Integer("Style", &V::SetStyle)
      .Text("StyleName", &V::SetStyleName)
      .Boolean("Threaded", &V::SetThreaded)
      .Enum("ThreadPriority", &V::SetThreadPriority,
            {{"tpIdle", TThreadPriority::tpIdle}, {"tpLowest", TThreadPriority::tpLowest},
             {"tpLower", TThreadPriority::tpLower}, {"tpNormal", TThreadPriority::tpNormal},
             {"tpHigher", TThreadPriority::tpHigher}, {"tpHighest", TThreadPriority::tpHighest},
             {"tpTimeCritical", TThreadPriority::tpTimeCritical}})
      .Event("OnAfterNewFrame", &V::OnAfterNewFrame)
      .Event("OnBeforeNewFrame", &V::OnBeforeNewFrame)
      .Event("OnComplete", &V::OnComplete)
      .Event("OnCustomDraw", &V::OnCustomDraw)
      .Event("OnProgress", &V::OnProgress)
      .Event("OnStart", &V::OnStart)
      .Event("OnStop", &V::OnStop);
}

void RegisterAll(TClassRegistry& Registry) {
  Registry.Register<TCustomTransitionView>("TCustomTransitionView", "TCustomControl");
  auto view = Registry.Register<TTransitionView>("TTransitionView", "TCustomTransitionView");
  PublishCommon(view);
  view.Custom("Picture.Data",
              [](TTransitionView& v, const TFormValue& value, TReadContext&) {
                if (value.kind != TFormValue::Kind::Binary) throw EReadError("a binary block is expected");
                ReadPictureData(v.Picture(), value.Bytes);
              })
      .Event("OnChange", &TTransitionView::OnChange);

  auto data = Registry.Register<TDBTransitionView>("TDBTransitionView", "TCustomTransitionView");
  PublishCommon(data);
  data.Boolean("AutoDisplay", &TDBTransitionView::SetAutoDisplay)
      .Text("DataField", &TDBTransitionView::SetDataField)
      .Reference("DataSource", &TDBTransitionView::SetDataSource)
      .Boolean("ReadOnly", &TDBTransitionView::SetReadOnly)
      .Event("OnAfterLoadPicture", &TDBTransitionView::OnAfterLoadPicture)
      .Event("OnBeforeLoadPicture", &TDBTransitionView::OnBeforeLoadPicture)
      .Event("OnGetGraphicClass", &TDBTransitionView::OnGetGraphicClass);
}

}  // namespace

void RegisterTransitionClasses() {
  static std::once_flag once;
  std::call_once(once, [] { RegisterAll(TClassRegistry::Instance()); });
}

void ReadPictureData(TPicture& Picture, const std::vector<std::uint8_t>& Data) {
  if (Data.empty() || Data.size() < 1u + Data[0]) throw EReadError("picture data without a class name");
  const String className(reinterpret_cast<const char*>(Data.data() + 1), Data[0]);
  std::size_t offset = 1u + Data[0];
  std::unique_ptr<TGraphic> graphic;
  if (className == "TBitmap") {
    std::uint32_t length = 0;
    if (Data.size() - offset < sizeof length) throw EReadError("bitmap data without its length");
    std::memcpy(&length, Data.data() + offset, sizeof length);
    offset += sizeof length;
    if (length != Data.size() - offset) throw EReadError("bitmap data of the wrong length");
    graphic = std::make_unique<TBitmap>();
  } else if (className == "TIcon") {
    graphic = std::make_unique<TIcon>();
  } else {
    throw EReadError("unknown picture class " + className);
  }
  TMemoryStream stream;
  stream.WriteBuffer(Data.data() + offset, static_cast<int>(Data.size() - offset));
  stream.SetPosition(0);
  graphic->LoadFromStream(stream);
  Picture.SetGraphic(graphic.get());
}

}  // namespace transitions
