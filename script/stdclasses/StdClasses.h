// The standard classes of scripts, registered into the global unit at program start-up:
//
//   fsRegisterGeneralClasses    TObject, TPersistent, collections, TList, TStrings,
//                               TStringList, streams, TComponent, the script XML document;
//                               the file-mode and seek constants, TDuplicates
//   fsRegisterGraphicsClasses   TFont, TPen, TBrush, TCanvas, TGraphic, TBitmap, TMetafile,
//                               TMetafileCanvas; the colour constants and drawing enumerations
//   fsRegisterFormsClasses      controls, forms, the application (object "Application")
//                               with their events; modal results, cursors, border styles,
//                               virtual keys and the window enumerations
//   fsRegisterDialogsClasses    the common dialogs, MessageDlg, InputBox, InputQuery
//   fsRegisterAutomation        CreateOleObject of scripts reaches the automation servers
//
// The system functions come with the global unit itself. Start-up calls the modules in the
// order above (fsRegisterStandardClasses does), after RegisterUiClasses and before the
// report classes: a name registered twice keeps its first registration. Each call is done
// once; later calls do nothing. fsUnregisterStandardClasses removes every item the modules
// added (last module first); call it at shutdown before FreeGlobalUnit.
#pragma once

void fsRegisterGeneralClasses();
void fsRegisterGraphicsClasses();
void fsRegisterFormsClasses();
void fsRegisterDialogsClasses();
void fsRegisterAutomation();

// All of the above, in that order.
void fsRegisterStandardClasses();
void fsUnregisterStandardClasses();
