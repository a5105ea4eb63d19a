// The program's entry point: makes the forms and runs the message loop.
#include "app/FormClasses.h"
#include "app/Unit1.h"

using namespace classlib;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    Application->Initialize();
    Application->SetTitle("Tavrel");
    RegisterFormClasses();
    Application->CreateForm(Form1);
    Application->Run();
  } catch (const std::exception& e) {
    Application->ShowException(e);
  } catch (...) {
    Application->ShowException(Exception(""));
  }
  return 0;
}
