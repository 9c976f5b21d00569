#include "database/menu_text_labels.h"

const char* const FontNameList[FONT_NAME_COUNT] = {
    "System", "Terminal", "FixedSys", "Roman", "Script", "Modern", "Small Fonts", "MS Serif", "WST_Czec",
    "WST_Engl", "WST_Fren", "WST_Germ", "WST_Ital", "WST_Span", "WST_Swed", "Courier", "MS Sans Serif", "Marlett",
    "Arial", "Arial CE", "Arial CYR", "Arial Greek", "Arial TUR", "Arial Baltic", "Courier New", "Courier New CE",
    "Courier New CYR", "Courier New Greek", "Courier New TUR", "Courier New Baltic", "Lucida Console",
    "Lucida Sans Unicode", "Times New Roman", "Times New Roman CE", "Times New Roman CYR", "Times New Roman Greek",
    "Times New Roman TUR", "Times New Roman Baltic", "Wingdings", "Symbol", "Verdana", "Arial Black",
    "Comic Sans MS", "Impact", "Georgia", "Franklin Gothic Medium", "Palatino Linotype", "Tahoma", "Trebuchet MS",
    "Webdings", "Estrangelo Edessa", "Gautami", "Latha", "Mangal", "MV Boli", "Raavi", "Shruti", "Tunga", "Sylfaen",
    "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS UI Gothic", "ＭＳ 明朝", "ＭＳ Ｐ明朝", "Microsoft Sans Serif", "Gulim",
    "GulimChe", "Dotum", "DotumChe", "Batang", "BatangChe", "Gungsuh", "GungsuhChe", "SimSun", "NSimSun",
    "SimSun-PUA", "SimHei", "MingLiU", "PMingLiU", "Arial Narrow", "Book Antiqua", "Bookman Old Style", "Century",
    "Century Gothic", "Garamond", "MS Outlook", "HGｺﾞｼｯｸE", "HGPｺﾞｼｯｸE", "HGSｺﾞｼｯｸE", "HG丸ｺﾞｼｯｸM-PRO",
    "HG創英角ｺﾞｼｯｸUB", "HGP創英角ｺﾞｼｯｸUB", "HGS創英角ｺﾞｼｯｸUB", "HG創英角ﾎﾟｯﾌﾟ体", "HGP創英角ﾎﾟｯﾌﾟ体",
    "HGS創英角ﾎﾟｯﾌﾟ体", "HG正楷書体-PRO", "InMusicSym", "Kartika", "Vrinda", "メイリオ", "MT Extra", "HGｺﾞｼｯｸM",
    "HGPｺﾞｼｯｸM", "HGSｺﾞｼｯｸM", "HG行書体", "HGP行書体", "HGS行書体", "HG教科書体", "HGP教科書体", "HGS教科書体",
    "HG明朝B", "HGP明朝B", "HGS明朝B", "HG明朝E", "HGP明朝E", "HGS明朝E", "HG創英ﾌﾟﾚｾﾞﾝｽEB",
    "HGP創英ﾌﾟﾚｾﾞﾝｽEB", "HGS創英ﾌﾟﾚｾﾞﾝｽEB", "OCRB", "Sydnie", "",
};

const char* GetFontName(int n) {
    if (n < 0 || n >= FONT_NAME_COUNT) return "";
    return FontNameList[n];
}

const char* const ColorModeLabels[3] = {"256色(8bit) カラーパレットあり", "1677万色(24bit) カラーパレットなし", ""};
const char* const BppLabels[4] = {"32bit(1677万色)", "16bit(32768色)", "8bit(256色)", ""};
const char* const BppLabelsNo8Bit[3] = {"32bit(1677万色)", "16bit(32768色)", ""};
