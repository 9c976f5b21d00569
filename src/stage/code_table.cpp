#include "stage/code_table.h"

#include <iterator>

// Defines a list from its rows; the array behind it closes with one empty string.
#define CODE_LIST(name, ...)                                \
    static const char* const name##Rows[] = {__VA_ARGS__, ""}; \
    const CODELIST name{name##Rows, std::size(name##Rows) - 1};

#define LETTERS_UPPER                                                                                      \
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", \
        "V", "W", "X", "Y", "Z"
#define LETTERS_LOWER                                                                                      \
    "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p", "q", "r", "s", "t", "u", \
        "v", "w", "x", "y", "z"

const CMDTABLEROW CharaCmdTable[CHARA_CMD_NUM] = {
    {"", 0},
    {"ウエイト", 0},
    {"直線移動", 0},
    {"地上折り返し移動", 0},
    {"円移動", 0},
    {"突撃移動", 0},
    {"誘導移動", 0},
    {"画面外回避移動", 0},
    {"移動の無効化", 0},
    {"向き変更", 1},
    {"ジャンプ", 5},
    {"ショット", 0},
    {"ソード", 0},
    {"ブロック召喚", 0},
    {"キャラ召喚", 0},
    {"アイテム召喚", 0},
    {"フローの操作", 4},
    {"ステージクリア", 9},
    {"ゲームウエイト", 1},
    {"メッセージ", 18},
    {"ワープ", 0},
    {"ターゲットの設定", 16},
    {"ステータスの操作", 18},
    {"ステータスの操作2", 5},
    {"消滅", 3},
    {"アイテムの取得", 2},
    {"グラフィックの変更", 3},
    {"基本アニメセットの変更", 1},
    {"アニメの実行", 1},
    {"エフェクトの実行", 8},
    {"キャラエフェクトの実行", 3},
    {"画面エフェクトの実行", 3},
    {"ピクチャーの表示", 15},
    {"画面の色を変更", 8},
    {"背景の変更", 2},
    {"効果音の再生", 1},
    {"BGMの再生", 2},
    {"コードの実行", 0},
    {"アレンジ", 5},
    {"ループ", 2},
};

const CMDTABLEROW ItemCmdTable[ITEM_CMD_NUM] = {
    {"", 0},
    {"フローの変更", 2},
    {"ステージクリア", 9},
    {"ゲームウエイト", 1},
    {"メッセージ", 18},
    {"ワープ", 0},
    {"ターゲットの設定", 16},
    {"ステータスの操作", 18},
    {"ステータスの操作2", 5},
    {"消滅", 3},
    {"アイテムの取得", 2},
    {"グラフィックの変更", 3},
    {"基本アニメセットの変更", 1},
    {"アニメの実行", 1},
    {"エフェクトの実行", 8},
    {"キャラエフェクトの実行", 3},
    {"画面エフェクトの実行", 3},
    {"ピクチャーの表示", 15},
    {"画面の色を変更", 8},
    {"背景の変更", 2},
    {"効果音の再生", 1},
    {"BGMの再生", 2},
    {"コードの実行", 0},
    {"アレンジ", 5},
    {"ループ", 2},
};

int GetCmdTableSize(int numbering) { return numbering == CMDNUMBERING_CHARA ? CHARA_CMD_NUM : ITEM_CMD_NUM; }

const CMDTABLEROW* GetCmdTableRow(int numbering, int code) {
    if (code < 0 || code >= GetCmdTableSize(numbering)) return nullptr;
    return numbering == CMDNUMBERING_CHARA ? &CharaCmdTable[code] : &ItemCmdTable[code];
}

CODE_LIST(TriggerList, "常時", "ダメージを受けた時", "衝撃を受けた時", "死亡した時", "キャラに当たった時",
          "ブロックキャラに当たった時", "ブロックキャラに乗っている時", "ショットに当たった時",
          "アイテムに当たった時", "ブロックに当たった時", "自分の左右にブロックが当たった時",
          "自分の左にブロックが当たった時", "自分の右にブロックが当たった時", "自分の上下にブロックが当たった時",
          "自分の上にブロックが当たった時", "自分の下にブロックが当たった時", "主人公に乗られている時",
          "キャラに乗られている時", "アタックでダメージを与えた時", "アタックで衝撃を与えた時",
          "アタックを当てた時", "ステージ開始前", "なし（フローの操作コマンドで実行）")

CODE_LIST(FlowGroupList, "-", LETTERS_UPPER)
CODE_LIST(FlowOpGroupList, "全て", LETTERS_UPPER)
CODE_LIST(LowerLetterList, "-", LETTERS_LOWER)

CODE_LIST(FlowOpList, "開始", "終了", "一時停止", "再開", "削除", "永久停止")
CODE_LIST(FlowOpTargetList, "このフロー", "このフロー以外全て", "指定IDのフロー")

CODE_LIST(SubjectList, "自分", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4")
CODE_LIST(SubjectList2, "自分", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4")
CODE_LIST(SubjectSysList, "自分", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", "システム")
CODE_LIST(HeroSubjectList, "主人公", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4")
CODE_LIST(HeroSubjectSysList, "主人公", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4", "システム")
CODE_LIST(TargetList, "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4")

CODE_LIST(OperandKindList, "定数", "乱数", "ステータス", "変数")
CODE_LIST(OperandShortList, "ステータス", "変数")
CODE_LIST(VarKindList, "コモン変数", "ステージ変数")
CODE_LIST(CalcModeList, "通常の計算", "最大値に対する％で指定", "現在値に対する％で指定")
CODE_LIST(OnList, "ON")
CODE_LIST(ArrangeSourceList, "コモン変数", "ステージ変数", "キャラ変数")
CODE_LIST(CharaVarList, "1 キャラ変数-1", "2 キャラ変数-2", "3 キャラ変数-3", "4 キャラ変数-4", "5 キャラ変数-5",
          "6 キャラ変数-6", "7 キャラ変数-7", "8 キャラ変数-8")
CODE_LIST(ArrangeOpList, "＝", "＋", "－", "×", "÷", "÷ X の余り", "X ％")
CODE_LIST(CompareList, "である", "でない", "以上", "以下", "より上", "より下", "の倍数である", "の倍数でない")
CODE_LIST(IfList, "なら", "でないなら")

CODE_LIST(CondKindList, "", "コモン変数条件", "ステージ変数条件", "キャラ変数条件", "ステータス条件",
          "ステータス条件2", "ステータス条件3", "距離条件")
CODE_LIST(CondModeList, "全ての条件が真なら成立", "1つ以上の条件が真なら成立")
CODE_LIST(DistSubjectList, "主人公", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4")
CODE_LIST(DistAxisList, "横", "前", "後", "縦", "前Y", "後Y", "円")
CODE_LIST(DistSenseList, "以内", "外")
CODE_LIST(RangeShowList, "表示しない", "表示する", "テストプレイ時のみ表示")
CODE_LIST(StateCondList, "左向き", "右向き", "ブロックに乗っている(ブロックキャラも含む)", "画面内にいる",
          "存在している")
CODE_LIST(KeyModeList, "全てのキーが真なら成立", "1つ以上のキーが真なら成立", "1つだけキーが真なら成立")
CODE_LIST(KeyStateList, "--", "押", "離")

CODE_LIST(StageClearList, "次のステージへ", "番号で指定", "パスで指定", "ワールドクリア")
CODE_LIST(ClearFacingList, "左向き", "右向き", "ステージクリア時の向きと同じ")
CODE_LIST(MesPosList, "画面中央に表示", "自分の上に表示", "自分の下に表示", "自分の中心に表示", "主人公の上に表示",
          "主人公の下に表示", "主人公の中心に表示", "画面座標で指定", "ステージ座標で指定")
CODE_LIST(MesTimeList, "進行キーが押されるまで表示", "ステージ終了まで表示", "時間で指定")
CODE_LIST(PictureTimeList, "進行キーが押されるまで表示", "ステージ終了まで表示", "時間で指定")
CODE_LIST(TargetWhomList, "主人公", "自分", "最も近いキャラ", "キャラ（キャラIDで指定）",
          "親キャラ（自分を召喚したキャラ）", "子キャラ（最後に召喚したキャラ）",
          "子キャラ（条件付き。後で召喚したキャラ優先)", "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4")
CODE_LIST(TargetRangeList, "全範囲（画面内のキャラ優先）", "全範囲", "画面内")
CODE_LIST(TargetNoneList, "ターゲット無し", "ターゲットを変更しない")
CODE_LIST(VanishWhatList, "キャラ", "ショット", "子以下のキャラ", "子のショット", "子以下のキャラと子以下のショット",
          "子以下のキャラと孫以下のショット")
CODE_LIST(VanishRangeList, "画面内", "全範囲")
CODE_LIST(PaletteList, "コモンパレット", "ステージパレット")
CODE_LIST(CommonPaletteList, "コモンパレット")
CODE_LIST(PicturePosList, "画面中央に表示", "キャラの中心に表示", "主人公の中心に表示", "画面座標で指定",
          "ステージ座標で指定")
CODE_LIST(AnimeRunList, "通常実行", "反転実行", "往復実行")
CODE_LIST(ShowSwitchList, "表示", "非表示", "反転(表示⇔非表示)")

CODE_LIST(DirectionList, "前", "後", "左", "右", "前Y", "後Y", "上", "下", "左上", "左下", "右上", "右下", "入力方向")

CODE_LIST(MoveModeList, "方向で指定", "目標座標で指定")
CODE_LIST(WarpModeList, "方向と距離で指定", "ターゲット1からの方向と距離で指定", "ターゲット2からの方向と距離で指定",
          "ターゲット3からの方向と距離で指定", "ターゲット4からの方向と距離で指定", "目標座標で指定")
CODE_LIST(CoordKindList, "配置位置からの相対座標", "相対座標", "絶対座標", "画面座標")
CODE_LIST(CoordKindShortList, "相対座標", "絶対座標", "画面座標")
CODE_LIST(MoveTargetList, "ターゲット1", "ターゲット2", "ターゲット3", "ターゲット4")
CODE_LIST(TurnList, "右回り", "左回り", "左向きなら右回り、右向きなら左回り", "左向きなら左回り、右向きなら右回り")
CODE_LIST(FacingList, "左を向く", "右を向く", "ターゲット1がいる方を向く", "ターゲット1がいる方の逆を向く",
          "ターゲット2がいる方を向く", "ターゲット2がいる方の逆を向く", "ターゲット3がいる方を向く",
          "ターゲット3がいる方の逆を向く", "ターゲット4がいる方を向く", "ターゲット4がいる方の逆を向く",
          "最後にブロックが当たった方を向く", "最後にブロックが当たった方の逆を向く")
CODE_LIST(TimeSpeedList, "時間と速度を指定", "時間と距離を指定", "速度と距離を指定")
CODE_LIST(TimeSpeedShortList, "時間を指定", "速度を指定")
CODE_LIST(JumpHeightList, "高さがキーで調節できない", "高さがキーで調節できる(主人公のみ有効)",
          "慣性移動速度に応じて高さを決定(主人公のみ有効)")
CODE_LIST(UnitList, "(hbl)で指定", "(dot)で指定")

CODE_LIST(FormationList, "直進A", "直進B", "拡散", "落雷", "爆発", "包囲")
CODE_LIST(ShotMoveList, "直進", "主人公を狙う", "近いキャラを狙う", "ターゲットを狙う", "主人公へ誘導",
          "近いキャラへ誘導（対象死亡時、誘導を無効化）", "ターゲットへ誘導",
          "近いキャラへ誘導（対象死亡時、対象を変更）", "ウェーブ", "落下")
CODE_LIST(AimList, "ターゲット", "主人公", "自分")
CODE_LIST(BlockSummonList, "ブロックを召喚", "ブロックを消す", "ブロックがなければ召喚、ブロックがあれば消す")
CODE_LIST(ShotPaletteList, "コモンパレット", "ステージパレット")
CODE_LIST(ShotCommonPaletteList, "コモンパレット")
CODE_LIST(ShotForceSourceList, "パレットの設定に準ずる", "使用者と同じ", "番号で指定")

const STATUSROW CharaStatusTable[CHARA_STATUS_NUM] = {
    {"キャラ変数", -999999, 999999, -999999, 999999, 0, 0, 1},
    {"HP", 0, 999999, -999999, 999999, 0, 1, 1},
    {"SP", 0, 999999, -999999, 999999, 0, 1, 1},
    {"最大HP", 0, 999999, -999999, 999999, 0, 0, 1},
    {"最大SP", 0, 999999, -999999, 999999, 0, 0, 1},
    {"キャラID", 0, 99, -99, 99, 0, 0, 0},
    {"Z座標", 0, 8, -8, 8, 0, 0, 0},
    {"マーク番号", 0, 119, -119, 119, 0, 0, 0},
    {"視界範囲(hbl)", 0, 40, -40, 40, 0, 0, 1},
    {"体当たりの威力", -999999, 999999, -999999, 999999, 0, 0, 1},
    {"体当たりの衝撃", -20, 20, -20, 20, 0, 0, 1},
    {"防御力", 0, 999999, -999999, 999999, 0, 0, 1},
    {"衝撃耐性", 0, 20, -20, 20, 0, 0, 1},
    {"止まりやすさ", 0, 200, -200, 200, 0, 0, 1},
    {"倒したら獲得するスコア", -999999, 999999, -999999, 999999, 0, 0, 1},
};

const STATUSROW SystemStatusTable[SYSTEM_STATUS_NUM] = {
    {"時間", 0, 999, -999, 999, 0, 0, 1},
    {"横スクロール速度", -480, 480, -480, 480, 0, 0, 1},
    {"縦スクロール速度", -480, 480, -480, 480, 0, 0, 1},
    {"スコア", 0, 999999, -999999, 999999, 0, 0, 1},
    {"残り人数", 0, 99, -99, 99, 0, 0, 1},
};

const STATEFLAGROW StateFlagTable[STATE_FLAG_NUM] = {
    {"消滅", 0, 0, 0, ""},
    {"透明", 0, 1, 0, ""},
    {"向き固定", 0, 1, 0, ""},
    {"飛行", 0, 3, 0, ""},
    {"無敵", 0, 2, 0, ""},
    {"巨大化", 1, 10, 1, ""},
    {"オートスクロールとシンクロ", 0, 1, 0, ""},
};

#define NO_VALUE {"", 0, 0, 0}
const SHOTPARAMROW FormationParamTable[3 * FORMATION_NUM] = {
    {"間隔(hbl)", 0, 40, 0}, NO_VALUE, NO_VALUE,                                              // 直進A
    {"間隔(hbl)", 0, 40, 0}, NO_VALUE, NO_VALUE,                                              // 直進B
    {"角度", 0, 180, 30}, NO_VALUE, NO_VALUE,                                                 // 拡散
    {"間隔(hbl)", 0, 40, 0}, {"列の数", 1, 50, 1}, {"列の間隔(hbl)", 0, 40, 0},               // 落雷
    NO_VALUE, NO_VALUE, NO_VALUE,                                                             // 爆発
    {"距離(hbl)", 0, 40, 6}, NO_VALUE, NO_VALUE,                                              // 包囲
};

const SHOTPARAMROW ShotMoveParamTable[3 * SHOT_MOVE_NUM] = {
    NO_VALUE, NO_VALUE, NO_VALUE,                                                             // 直進
    {"軌道変更(hbl)", 0, 40, 0}, NO_VALUE, NO_VALUE,                                          // 主人公を狙う
    {"軌道変更(hbl)", 0, 40, 0}, {"対象勢力", 0, 7, 0}, NO_VALUE,                             // 近いキャラを狙う
    {"軌道変更(hbl)", 0, 40, 0}, NO_VALUE, NO_VALUE,                                          // ターゲットを狙う
    {"誘導開始(hbl)", 0, 40, 0}, {"誘導終了(hbl)", 0, 999, 999}, NO_VALUE,                    // 主人公へ誘導
    {"誘導開始(hbl)", 0, 40, 0}, {"誘導終了(hbl)", 0, 999, 999}, {"対象勢力", 0, 7, 0},       // 近いキャラへ誘導（無効化）
    {"誘導開始(hbl)", 0, 40, 0}, {"誘導終了(hbl)", 0, 999, 999}, NO_VALUE,                    // ターゲットへ誘導
    {"誘導開始(hbl)", 0, 40, 0}, {"誘導終了(hbl)", 0, 999, 999}, {"対象勢力", 0, 7, 0},       // 近いキャラへ誘導（変更）
    {"波の最大(hbl)", 0, 100, 4}, {"波の速度", 0, 100, 4}, {"開始角度", 0, 359, 0},            // ウェーブ
    {"軌道変更(hbl)", 0, 40, 0}, NO_VALUE, NO_VALUE,                                          // 落下
};
#undef NO_VALUE
