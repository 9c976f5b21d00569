#include "platform/window/file_dialog.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/system/cp932.h"
#include "platform/window/dialog.h"
#include "platform/system/file_name.h"
#include "platform/system/font_sjis.h"
#include "platform/system/mesbox.h"
#include "platform/system/path.h"

namespace {

enum : int { IDC_FOLDER = 1090, IDC_LIST = 1120, IDC_NAME = 1152, IDC_TYPE = 1089, IDC_OK = 1, IDC_CANCEL = 2 };

// Lower-case ASCII letters of CP932 text, second bytes left alone.
std::string FoldAscii(const std::string& s) {
    std::string out = s;
    for (size_t i = 0; i < out.size(); ++i) {
        if (IsSjisPair(out.c_str() + i)) {
            ++i;
            continue;
        }
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] + 0x20);
    }
    return out;
}

bool Wildcard(const char* p, const char* s) {
    if (*p == 0) return *s == 0;
    if (*p == '*') return Wildcard(p + 1, s) || (*s && Wildcard(p, s + 1));
    if (*s == 0) return false;
    if (*p == '?' || *p == *s) return Wildcard(p + 1, s + 1);
    return false;
}

struct ENTRY {
    std::string name;  // program form (CP932)
    bool bFolder;
};

// The folders and the files that pass the patterns, each group sorted.
std::vector<ENTRY> ListFolder(const std::string& folder, const std::string& patterns) {
    std::vector<ENTRY> entries;
    const std::string native = folder.empty() ? std::string(".") : ToNativePath(folder, false);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(native.c_str()), &::closedir);
    if (!dir) return entries;
    while (const dirent* e = ::readdir(dir.get())) {
        std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        struct stat st;
        if (::stat((native + "/" + n).c_str(), &st) != 0) continue;
        std::string name = ToProgramPath(n);
        const bool folder = S_ISDIR(st.st_mode);
        if (!folder && !patterns.empty() && !MatchFilePattern(name, patterns)) continue;
        entries.push_back({name, folder});
    }
    std::sort(entries.begin(), entries.end(), [](const ENTRY& a, const ENTRY& b) {
        if (a.bFolder != b.bFolder) return a.bFolder;
        return FoldAscii(a.name) < FoldAscii(b.name);
    });
    return entries;
}

bool IsFolder(const std::string& path) {
    struct stat st;
    return ::stat(ToNativePath(path, false).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::stat(ToNativePath(path, false).c_str(), &st) == 0;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (IsFullProgramPath(name) || folder.empty()) return name;
    if (FindLastSeparator(folder) + 1 == folder.size()) return folder + name;
    return folder + "\\" + name;
}

// The open and save dialog.
class cFileDialog : public cDialog {
public:
    cFileDialog(bool bSave, const std::string& title, const std::string& folder, const std::string& name,
                const char* filter, const std::string& defExt, bool bMulti)
        : cDialog(bSave ? 2 : 1, 480, 360, title),
          m_bSave(bSave),
          m_bMulti(bMulti),
          m_strFolder(folder),
          m_strName(name),
          m_strDefExt(defExt),
          m_List(nullptr, bMulti),
          m_OK(true) {
        // The first pair of the filter: its name and its patterns.
        if (filter && *filter) {
            m_strFilterName = filter;
            const char* pat = filter + m_strFilterName.size() + 1;
            m_strPatterns = pat;
        }
        while (!m_strFolder.empty() && FindLastSeparator(m_strFolder) + 1 == m_strFolder.size()) m_strFolder.pop_back();
        if (!m_strFolder.empty() && !IsFolder(m_strFolder)) m_strFolder.clear();  // a missing folder: the program folder
    }

    std::vector<std::string> m_Chosen;  // full paths
    std::string m_strChosenFolder;      // full path of their folder

    void OnInitDialog() override {
        cDialog::OnInitDialog();
        m_FolderLabel.Attach(this, IDC_FOLDER);
        m_List.Attach(this, IDC_LIST);
        // Rows that leave the whole dialog in view: a taller list would
        // scroll the dialog and put its first entries under the title bar.
        m_List.SetRows(9);
        m_NameLabel.Attach(this, 1091);
        m_NameLabel.SetText("ファイル名:");
        EDITCTRLDESC d;
        d.id = IDC_NAME;
        d.pStr = &m_strName;
        d.nByteLimit = MAX_PATH;
        d.nCharLimit = MAX_PATH;
        m_Name.Setup(this, d);
        m_TypeLabel.Attach(this, IDC_TYPE);
        m_TypeLabel.SetText("ファイルの種類: " + m_strFilterName);
        m_OK.Attach(this, IDC_OK);
        m_OK.SetText(m_bSave ? "保存" : "開く");
        m_OK.SetRect(-1, 0, 100, 0);
        m_Cancel.Attach(this, IDC_CANCEL);
        m_Cancel.SetText("キャンセル");
        m_Cancel.SetRect(-1, 0, 100, 0);
        Refresh();
        UpdateControls();
        m_Name.Focus();
        m_Name.SelectAll();
    }

    void OnCommand(int id, int n) override {
        cDialog::OnCommand(id, n);
        if (id == IDC_CANCEL) {
            Close(0);
        } else if (id == IDC_OK) {
            Accept();
        } else if (id == IDC_LIST && n == LBN_SELCHANGE) {
            const int sel = m_List.GetSel();
            if (sel >= 0 && sel < static_cast<int>(m_Entries.size()) && !m_Entries[sel].bFolder) {
                m_Name.SetText(m_bMulti ? MarkedNames() : m_Entries[sel].name);
            }
        } else if (id == IDC_LIST && n == LBN_DBLCLK) {
            const int sel = m_List.GetSel();
            if (m_bMulti && !MarkedNames().empty()) {
                Accept();  // the marked files
                return;
            }
            if (sel < 0 || sel >= static_cast<int>(m_Entries.size())) return;
            if (m_Entries[sel].bFolder) {
                Enter(m_Entries[sel].name);
            } else {
                m_Name.SetText(m_Entries[sel].name);
                Accept();
            }
        }
    }

    bool OnKeyDown(int vk) override {
        // Down in the name box goes into the list.
        if (vk == 40 && m_Name.HasFocus()) {
            m_List.Focus();
            if (m_List.GetSel() < 0 && !m_Entries.empty()) m_List.SetSel(0);
            return true;
        }
        return cDialog::OnKeyDown(vk);
    }

private:
    // ".." goes up; a folder name goes down.
    void Enter(const std::string& sub) {
        if (sub == "..") {
            std::string full = m_strFolder;
            if (!MakeFullPathStr(full)) return;
            auto sep = FindLastSeparator(full);
            if (sep == std::string::npos) return;
            std::string up = sep == 0 ? std::string(1, '\\') : full.substr(0, sep);
            MakeRelativePathStr(up);
            if (up.rfind(".\\", 0) == 0) up.erase(0, 2);
            m_strFolder = up == "." ? std::string() : up;
        } else {
            m_strFolder = JoinPath(m_strFolder, sub);
        }
        const bool inList = m_List.HasFocus();
        m_Name.SetText("");
        Refresh();
        if (inList) m_List.Focus();  // the keyboard stays in the list
    }

    void Refresh() {
        m_Entries.clear();
        m_Entries.push_back({"..", true});
        for (ENTRY& e : ListFolder(m_strFolder, m_strPatterns)) m_Entries.push_back(e);
        std::vector<std::string> items;
        for (const ENTRY& e : m_Entries) items.push_back(e.bFolder ? "[" + e.name + "]" : e.name);
        m_List.SetItems(items);
        m_List.SetSel(-1);
        std::string shown = m_strFolder;
        MakeFullPathStr(shown);
        m_FolderLabel.SetText("場所: " + shown);
    }

    std::string MarkedNames() const {
        std::string s;
        for (size_t i = 0; i < m_Entries.size(); ++i)
            if (m_List.IsMarked(static_cast<int>(i)) && !m_Entries[i].bFolder) s += "\"" + m_Entries[i].name + "\" ";
        return s;
    }

    // Names in the name box: one, or several in quotes.
    std::vector<std::string> TypedNames() const {
        std::vector<std::string> names;
        const std::string& t = m_Name.GetText();
        if (m_bMulti && t.find('"') != std::string::npos) {
            for (size_t i = 0; (i = t.find('"', i)) != std::string::npos;) {
                size_t j = t.find('"', i + 1);
                if (j == std::string::npos) break;
                if (j > i + 1) names.push_back(t.substr(i + 1, j - i - 1));
                i = j + 1;
            }
        } else if (!t.empty()) {
            names.push_back(t);
        }
        return names;
    }

    void Accept() {
        std::vector<std::string> names = TypedNames();
        if (names.empty()) return;
        if (names.size() == 1 && (names[0] == ".." || IsFolder(JoinPath(m_strFolder, names[0])))) {
            Enter(names[0]);
            return;
        }
        std::vector<std::string> paths;
        for (std::string name : names) {
            std::string path = JoinPath(m_strFolder, name);
            if (m_bSave && !m_strDefExt.empty() && FindExtensionDot(path) == std::string::npos) path += "." + m_strDefExt;
            if (!m_bSave && !Exists(path)) {
                MesBox((name + "\nファイルが見つかりません。\nファイル名を確認してください。").c_str(), Title().c_str(),
                       MB_OK | MB_ICONWARNING);
                return;
            }
            if (m_bSave && Exists(path)) {
                std::string n = path;
                GetFileNameFromPathStr(n);
                if (MesBox((n + " は既に存在します。\n上書きしますか?").c_str(), Title().c_str(),
                           MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
                    return;
            }
            if (!MakeFullPathStr(path)) return;
            paths.push_back(path);
        }
        m_Chosen = paths;
        m_strChosenFolder = m_strFolder;
        MakeFullPathStr(m_strChosenFolder);
        Close(1);
    }

    bool m_bSave, m_bMulti;
    std::string m_strFolder, m_strName, m_strDefExt;
    std::string m_strFilterName, m_strPatterns;
    std::vector<ENTRY> m_Entries;
    cDlgImage m_FolderLabel, m_NameLabel, m_TypeLabel;
    cListCtrl m_List;
    cEditCtrl m_Name;
    cButtonCtrl m_OK, m_Cancel;
};

bool CopyOut(char* dst, int size, const std::string& s) {
    if (static_cast<int>(s.size()) >= size) return false;
    std::memcpy(dst, s.data(), s.size());
    dst[s.size()] = 0;
    return true;
}

}  // namespace

std::string MakeFileFilter(const std::string& name, const std::string& pattern) {
    std::string f = name;
    f += '\0';
    f += pattern;
    f += '\0';
    f += '\0';
    return f;
}

bool MatchFilePattern(const std::string& name, const std::string& patterns) {
    const std::string n = FoldAscii(name);
    std::string ext;
    GetExtensionStr(ext, n);
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::string p = FoldAscii(patterns.substr(start, end - start));
        p.erase(0, p.find_first_not_of(' '));
        if (!p.empty()) {
            const bool byExt = p.find('.') == std::string::npos && p != "*";
            if (Wildcard(p.c_str(), byExt ? ext.c_str() : n.c_str())) return true;
        }
        start = end + 1;
    }
    return false;
}

int GetOpenFileNames(const void* owner, char* file, int size, const char* initialFolder, const char* title,
                     const char* filter, const char* defExt, int bMulti, std::vector<std::string>* results) {
    (void)owner;
    if (file && size > 0) std::memset(file, 0, static_cast<size_t>(size));
    cFileDialog dlg(false, title ? title : "", initialFolder ? initialFolder : "", "", filter, defExt ? defExt : "",
                    bMulti != 0);
    if (dlg.DoModal() != 1 || dlg.m_Chosen.empty()) return 0;
    if (file && size > 0) {
        if (dlg.m_Chosen.size() == 1) {
            if (!CopyOut(file, size, dlg.m_Chosen[0])) return 0;
        } else {
            // The folder, then the names, each ended by a zero byte, and one more.
            std::string buf = dlg.m_strChosenFolder + '\0';
            for (std::string name : dlg.m_Chosen) {
                GetFileNameFromPathStr(name);
                buf += name + '\0';
            }
            if (static_cast<int>(buf.size()) >= size) return 0;
            std::memcpy(file, buf.data(), buf.size());
        }
    }
    if (results)
        for (const std::string& p : dlg.m_Chosen) results->push_back(p);
    return 1;
}

int SaveFileDialog(const void* owner, char* file, const char* initialFolder, const char* title, const char* filter,
                   const char* defExt) {
    (void)owner;
    std::string name = file ? file : "";
    std::string folder = initialFolder ? initialFolder : "";
    // A proposal with a folder opens in that folder (when it exists) with only
    // its file name in the box.
    if (const auto sep = FindLastSeparator(name); sep != std::string::npos) {
        const std::string part = name.substr(0, sep == 0 ? 1 : sep);
        if (IsFolder(part)) {
            folder = part;
            name.erase(0, sep + 1);
        }
    }
    cFileDialog dlg(true, title ? title : "", folder, name, filter, defExt ? defExt : "", false);
    if (dlg.DoModal() != 1 || dlg.m_Chosen.empty()) return 0;
    return file && CopyOut(file, MAX_PATH, dlg.m_Chosen[0]) ? 1 : 0;
}
