// The program's entry point: makes the forms and runs the message loop.
#include "app/FormClasses.h"
#include "app/Unit1.h"
#include "app/Unit10.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "app/Unit7.h"
#include "app/Unit8.h"
#include "app/Unit9.h"
#include "flat/FlatRegistration.h"
#include "skin/boxes/SkinBoxesRegistration.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/form/SkinFormRegistration.h"
#include "skin/shell/SkinShellRegistration.h"

using namespace classlib;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    Application->Initialize();
    Application->SetTitle("Tavrel");
    RegisterSkinControlClasses();
    RegisterSkinFormClasses();
    RegisterSkinShellClasses();
    RegisterSkinBoxClasses();
    RegisterFlatClasses();
    RegisterSkinDataClasses();
    RegisterFormClasses();
    // The main window comes first and finishes its start-up work (FormCreate) before the others exist.
    Application->CreateForm(Form1);
    Application->CreateForm(Form4);
    Application->CreateForm(Form3);
    Application->CreateForm(Form2);
    Application->CreateForm(Form5);
    Application->CreateForm(Form6);
    Application->CreateForm(Form7);
    Application->CreateForm(Form8);
    Application->CreateForm(Form9);
    Application->CreateForm(Form10);
    Application->Run();
    // Closing the main window has ended the ripping job and released the player's graph; the forms
    // go now, last created first, before the process ends.
    Application->DestroyComponents();
  } catch (const std::exception& e) {
    Application->ShowException(e);
  } catch (...) {
    Application->ShowException(Exception(""));
  }
  return 0;
}
