;; The installer's page "Use the remote's own device library": the owner may choose the folder
;; that holds the maker's kestrio.dll and ConLCode.dll, and the installer copies the two into the
;; `maker` folder beside the program, where it looks for them. Both files are checked first as the
;; program checks them: both there, both 32-bit Windows libraries. Left unticked, the program
;; configures its virtual remote, and a maker folder a former installation left is removed.
;; A silent installation takes the folder from /MAKER=FOLDER.

!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh

Var MakerDialog
Var MakerTick
Var MakerField
Var MakerFolder
Var MakerWanted

LangString MakerTitle ${LANG_ENGLISH} "Use the remote's own device library"
LangString MakerTitle ${LANG_SIMPCHINESE} "使用遥控器厂家的设备库"
LangString MakerSubtitle ${LANG_ENGLISH} "Configure a real QTM-418 through the maker's kestrio.dll and ConLCode.dll."
LangString MakerSubtitle ${LANG_SIMPCHINESE} "通过厂家的 kestrio.dll 和 ConLCode.dll 配置真实的遥控器。"
LangString MakerIntro ${LANG_ENGLISH} "Without them the program configures its virtual QTM-418. To configure your own remote, choose the folder that holds the maker's kestrio.dll and ConLCode.dll, the 32-bit files that came with the remote: they are copied beside the program. The program's window menu can change this later."
LangString MakerIntro ${LANG_SIMPCHINESE} "不使用时，本软件配置的是虚拟遥控器。要配置您自己的遥控器，请选择存放厂家 kestrio.dll 和 ConLCode.dll（随遥控器提供的32位文件）的文件夹，安装程序会把它们复制到本软件旁。以后也可以在本软件窗口的菜单中更改。"
LangString MakerTickText ${LANG_ENGLISH} "&Use the remote's own device library from this folder:"
LangString MakerTickText ${LANG_SIMPCHINESE} "使用此文件夹中厂家的设备库(&U)："
LangString MakerBrowseText ${LANG_ENGLISH} "&Browse..."
LangString MakerBrowseText ${LANG_SIMPCHINESE} "浏览(&B)..."
LangString MakerChooseText ${LANG_ENGLISH} "Choose the folder holding the maker's kestrio.dll and ConLCode.dll"
LangString MakerChooseText ${LANG_SIMPCHINESE} "选择厂家的 kestrio.dll 和 ConLCode.dll 所在的文件夹"
LangString MakerMissing ${LANG_ENGLISH} "is not there: the maker's kestrio.dll and ConLCode.dll are used together or not at all."
LangString MakerMissing ${LANG_SIMPCHINESE} "不存在：厂家的 kestrio.dll 和 ConLCode.dll 必须一起使用。"
LangString MakerNotLibrary ${LANG_ENGLISH} "is not a Windows library; it may be damaged."
LangString MakerNotLibrary ${LANG_SIMPCHINESE} "不是 Windows 的库文件，可能已损坏。"
LangString Maker64Bit ${LANG_ENGLISH} "is a 64-bit library; the maker's 32-bit library is needed."
LangString Maker64Bit ${LANG_SIMPCHINESE} "是64位的库，需要厂家的32位库。"
LangString MakerOtherMachine ${LANG_ENGLISH} "is a library for another processor; the maker's 32-bit (x86) library is needed."
LangString MakerOtherMachine ${LANG_SIMPCHINESE} "是其他处理器的库，需要厂家的32位（x86）库。"
LangString MakerCopyFailed ${LANG_ENGLISH} "could not be copied into the program's maker folder."
LangString MakerCopyFailed ${LANG_SIMPCHINESE} "无法复制到本软件的 maker 文件夹。"

;; The number at $R3's offset of the open file $R2, little-endian, $R4 bits of it (16 or 32), into
;; $R5; -1 when the file ends first. Uses $R6 and $R7 besides.
Function MakerReadNumber
  StrCpy $R5 0
  StrCpy $R6 0
  FileSeek $R2 $R3 SET
  ${DoWhile} $R6 < $R4
    ClearErrors
    FileReadByte $R2 $R7
    ${If} ${Errors}
      StrCpy $R5 -1
      Return
    ${EndIf}
    IntOp $R7 $R7 << $R6
    IntOp $R5 $R5 | $R7
    IntOp $R6 $R6 + 8
  ${Loop}
FunctionEnd

;; Why the file $R1 cannot serve, as the program would say it, into $R0; empty when it can: a
;; 32-bit Windows library (a PE image for the x86 marked as a DLL).
Function MakerFileProblem
  StrCpy $R0 ""
  ${IfNot} ${FileExists} "$R1"
    StrCpy $R0 "$R1 $(MakerMissing)"
    Return
  ${EndIf}
  ClearErrors
  FileOpen $R2 "$R1" r
  ${If} ${Errors}
    StrCpy $R0 "$R1 $(MakerNotLibrary)"
    Return
  ${EndIf}
  StrCpy $R3 0
  StrCpy $R4 16
  Call MakerReadNumber
  ${If} $R5 <> 0x5A4D
    StrCpy $R0 "$R1 $(MakerNotLibrary)"
  ${Else}
    StrCpy $R3 0x3C
    StrCpy $R4 32
    Call MakerReadNumber
    StrCpy $R9 $R5
    StrCpy $R3 $R9
    Call MakerReadNumber
    ${If} $R9 < 0x40
    ${OrIf} $R5 <> 0x4550
      StrCpy $R0 "$R1 $(MakerNotLibrary)"
    ${Else}
      IntOp $R3 $R9 + 4
      StrCpy $R4 16
      Call MakerReadNumber
      StrCpy $R8 $R5
      IntOp $R3 $R9 + 22
      Call MakerReadNumber
      IntOp $R5 $R5 & 0x2000
      ${If} $R5 = 0
        StrCpy $R0 "$R1 $(MakerNotLibrary)"
      ${ElseIf} $R8 = 0x8664
        StrCpy $R0 "$R1 $(Maker64Bit)"
      ${ElseIf} $R8 <> 0x14C
        StrCpy $R0 "$R1 $(MakerOtherMachine)"
      ${EndIf}
    ${EndIf}
  ${EndIf}
  FileClose $R2
FunctionEnd

;; Both files of $MakerFolder checked, the first problem into $R0.
Function MakerFolderProblem
  StrCpy $R1 "$MakerFolder\kestrio.dll"
  Call MakerFileProblem
  ${If} $R0 == ""
    StrCpy $R1 "$MakerFolder\ConLCode.dll"
    Call MakerFileProblem
  ${EndIf}
FunctionEnd

Function MakerPageShow
  ${If} $MakerWanted == ""
  ${AndIf} ${FileExists} "$INSTDIR\bin\maker\kestrio.dll"
    StrCpy $MakerWanted 1
    StrCpy $MakerFolder "$INSTDIR\bin\maker"
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(MakerTitle)" "$(MakerSubtitle)"
  nsDialogs::Create 1018
  Pop $MakerDialog
  ${If} $MakerDialog == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 48u "$(MakerIntro)"
  Pop $0
  ${NSD_CreateCheckbox} 0 56u 100% 12u "$(MakerTickText)"
  Pop $MakerTick
  ${If} $MakerWanted == 1
    ${NSD_Check} $MakerTick
  ${EndIf}
  ${NSD_CreateDirRequest} 0 72u 78% 13u "$MakerFolder"
  Pop $MakerField
  ${NSD_CreateBrowseButton} 80% 71u 20% 15u "$(MakerBrowseText)"
  Pop $0
  ${NSD_OnClick} $0 MakerBrowse
  nsDialogs::Show
FunctionEnd

Function MakerBrowse
  ${NSD_GetText} $MakerField $0
  nsDialogs::SelectFolderDialog "$(MakerChooseText)" "$0"
  Pop $0
  ${If} $0 != error
    ${NSD_SetText} $MakerField "$0"
    ${NSD_Check} $MakerTick
  ${EndIf}
FunctionEnd

Function MakerPageLeave
  ${NSD_GetState} $MakerTick $0
  ${NSD_GetText} $MakerField $MakerFolder
  StrCpy $MakerWanted 0
  ${If} $0 == ${BST_CHECKED}
    Call MakerFolderProblem
    ${If} $R0 != ""
      MessageBox MB_ICONEXCLAMATION|MB_OK "$R0"
      Abort
    ${EndIf}
    StrCpy $MakerWanted 1
  ${EndIf}
FunctionEnd

;; In the installation section: the two files copied, or the maker folder removed. Files already in
;; the maker folder chosen as they are stay.
Function MakerInstall
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/MAKER=" $1
    ${IfNot} ${Errors}
      StrCpy $MakerFolder $1
      StrCpy $MakerWanted 1
      Call MakerFolderProblem
      ${If} $R0 != ""
        DetailPrint "$R0"
        SetErrorLevel 2
        Abort "$R0"
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ${If} $MakerWanted != 1
    Delete "$INSTDIR\bin\maker\kestrio.dll"
    Delete "$INSTDIR\bin\maker\ConLCode.dll"
    RMDir "$INSTDIR\bin\maker"
    Return
  ${EndIf}
  ${If} $MakerFolder == "$INSTDIR\bin\maker"
    Return
  ${EndIf}
  CreateDirectory "$INSTDIR\bin\maker"
  ClearErrors
  CopyFiles /SILENT "$MakerFolder\kestrio.dll" "$INSTDIR\bin\maker\kestrio.dll"
  CopyFiles /SILENT "$MakerFolder\ConLCode.dll" "$INSTDIR\bin\maker\ConLCode.dll"
  ${If} ${Errors}
    ;; Never one of the two without the other.
    Delete "$INSTDIR\bin\maker\kestrio.dll"
    Delete "$INSTDIR\bin\maker\ConLCode.dll"
    MessageBox MB_ICONEXCLAMATION|MB_OK "$MakerFolder $(MakerCopyFailed)" /SD IDOK
  ${EndIf}
FunctionEnd
