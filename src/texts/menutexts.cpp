#include "menutexts.h"

namespace MenuTexts {

namespace {

QList<Item> recentFileItems()
{
    return {{"mnuRecentFile_0", "-", "", false, true},
            {"mnuRecentFile_1", "RecentFile1", "", false, true},
            {"mnuRecentFile_2", "RecentFile2", "", false, true},
            {"mnuRecentFile_3", "RecentFile3", "", false, true},
            {"mnuRecentFile_4", "RecentFile4", "", false, true}};
}

}  // namespace

const QList<Menu>& mainMenus()
{
    static const QList<Menu> menus = [] {
        QList<Item> file = {{"mnuFile_New", "&New", ""},
                            {"mnuFile_Open", "&Open...", ""},
                            {"mnusepf1", "-", ""},
                            {"mnuExit", "E&xit", ""}};
        file += recentFileItems();
        return QList<Menu>{{"mnuFile", "&File", file},
                           {"mnuHelp", "&Help",
                            {{"mnuContents", "&Scrivora Help Topics", ""},
                             {"mnuhsep", "-", ""},
                             {"mnuabout", "&About Clinora", ""}}}};
    }();
    return menus;
}

const QList<Menu>& documentMenus()
{
    static const QList<Menu> menus = [] {
        QList<Item> file = {{"mnuFile_New", "&New", "Ctrl+N"},
                            {"mnuFile_Open", "&Open...", "Ctrl+O"},
                            {"mnuFClose", "&Close", ""},
                            {"mnuFsep4", "-", ""},
                            {"mnuFileSave", "&Save", "Ctrl+S"},
                            {"mnuFile_SaveAs", "Sa&ve As...", ""},
                            {"mnuFiSep1", "-", ""},
                            {"mnuFile_Print", "&Print...", "Ctrl+P"},
                            {"mnuFPSetup", "Print Set&up...", ""},
                            {"mnuFile_PrintPreview", "P&rint Preview...", ""},
                            {"mnuFile_ExportPdf", "&Export as PDF...", ""},
                            {"mnuFiSep4", "-", ""},
                            {"mnuFile_Exit", "E&xit", ""}};
        file += recentFileItems();
        return QList<Menu>{
            {"mnuFile", "&File", file},
            {"mnuEdit", "&Edit",
             {{"mnuUndo", "&Undo", ""},
              {"mnuRedo", "&Redo", ""},
              {"mnuEdSep1", "-", ""},
              {"mnuEdit_Cut", "Cu&t", "Ctrl+X"},
              {"mnuEdit_Copy", "&Copy", "Ctrl+C"},
              {"mnuEdit_Paste", "&Paste", "Ctrl+V"},
              {"mnuEdit_Delete", "&Delete", "Del"},
              {"mnuEdSep2", "-", ""},
              {"mnuEdit_Search", "&Find...", "Ctrl+F"},
              {"mnuEdit_Replace", "R&eplace...", "Ctrl+H"},
              {"mnuEdSep3", "-", ""},
              {"mnuEdit_SelectAll", "Select &All", "Ctrl+A"},
              {"mnuEsep5", "-", ""},
              {"mnuECase", "Co&nvert Case", "", false, false, "mnuECase"},
              {"mnuEspell", "Spell Chec&k", ""}}},
            {"mnuView", "&View",
             {{"mnuView_Toolbar", "&Tool Bar", "", true},
              {"mnuView_ParagraphBar", "&Paragraph Bar", "", true},
              {"mnuView_Ruler", "&Ruler", "", true},
              {"mnuView_StatusBar", "&Status Bar", "", true},
              {"mnuVSep2", "-", ""},
              {"mnuView_TableGridLines", "Table &Grid Lines", ""},
              {"mnuView_SpellAsYouType", "Check Spelling as You T&ype", "", true},
              {"mnuVSep1", "-", ""},
              {"mnuView_Zoom", "&Zoom", "", false, false, "mnuView_Zoom"}}},
            {"mnuInsert", "&Insert",
             {{"mnuInsert_Text", "&Text...", ""},
              {"mnuInsert_Image", "&Image...", ""},
              {"mnuInsert_Table", "T&able...", ""},
              {"mnuIsep3", "-", ""},
              {"mnuIHeader", "&Header", ""},
              {"mnuIFooter", "&Footer", ""},
              {"mnuIPageNo", "Pa&ge Numbers", ""},
              {"mnuIsep1", "-", ""},
              {"mnuIPageBreak", "&Page Break", ""},
              {"mnuIDate", "&Date...", ""},
              {"mnuSig", "&Signature", ""}}},
            {"mnuFormat", "F&ormat",
             {{"mnuFormat_Character", "&Character...", ""},
              {"mnuFormat_TColor", "&Text Color...", ""},
              {"mnuFormat_BColor", "&Background Color...", ""},
              {"mnuFSep1", "-", ""},
              {"mnuFormat_Paragraph", "&Paragraph...", ""},
              {"mnuFormat_Bullets", "Bullets and &Numbering...", ""},
              {"mnuFormat_Frames", "Paragraph &Frames...", ""},
              {"mnuFormat_Table", "T&able...", ""},
              {"mnuTInsRow", "I&nsert Table Row", ""},
              {"mnuTDelRow", "&Delete Table Row(s)", ""},
              {"mnuFormat_Image", "&Image...", ""},
              {"mnuFMailMerge", "&Mail Merge...", ""},
              {"mnuFDelField", "Delete Mer&ged Field", ""},
              {"mnuFSep2", "-", ""},
              {"mnuFormat_Document", "Page &Setup...", ""}}},
            {"mnuWindow", "&Window",
             {{"mnuWindow_Cascade", "&Cascade", ""},
              {"mnuWindow_TileHorizontal", "Tile &Horizontal", ""},
              {"mnuWindow_TileVertical", "Tile &Vertical", ""},
              {"mnuWindow_ArrangeIcons", "&Arrange Icons", "", false, true}}},
            {"mnuMail", "&Mail Merge", {{"mnumm_0", "Field1", ""}}, true},
            {"mnuHelp", "&Help",
             {{"mnuContents", "&Scrivora Help Topics", "F1"},
              {"mnuhsep", "-", ""},
              {"mnuabout", "&About Clinora", ""}}}};
    }();
    return menus;
}

const QList<Menu>& documentSubmenus()
{
    static const QList<Menu> menus = {
        {"mnuECase", "Co&nvert Case",
         {{"mnuUpper", "&Upper Case", ""},
          {"mnuLower", "&Lower Case", ""},
          {"mnuProper", "&Initial Caps", ""}}},
        {"mnuView_Zoom", "&Zoom",
         {{"mnuView_ZoomItem_1", "&30%", ""},
          {"mnuView_ZoomItem_2", "&50%", ""},
          {"mnuView_ZoomItem_3", "&75%", ""},
          {"mnuView_ZoomItem_4", "&100%", "", true},
          {"mnuView_ZoomItem_5", "15&0%", ""},
          {"mnuView_ZoomItem_6", "&Page Width", ""},
          {"mnuView_ZoomItem_7", "&Whole Page", ""}}}};
    return menus;
}

}  // namespace MenuTexts
