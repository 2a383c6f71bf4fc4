// A property sheet without "Применить": a set of pages shown one at a time
// under tabs.  A page is initialised when it is first shown and told each
// time it is shown; it may refuse to be left (the sheet then stays on it).
// OK runs the current page's leave step (a refusal keeps the sheet open),
// then the OK step of every page initialised so far, then the owner's check.
//
// A sheet is a class derived from PropertySheetModel that owns its pages and
// runs through RunModal like any dialog model:
//     class CVLSheet : public PropertySheetModel { ... int DoModal() { return RunModal(*this); } };
#pragma once

#include <functional>
#include <string>
#include <vector>

class PropertyPageModel {
public:
    virtual ~PropertyPageModel() = default;
    virtual std::string Caption() const = 0;
    // The first time the page is shown: fill its values from the element.
    virtual void OnInitPage() {}
    // Every time the page becomes the current one.
    virtual void OnSetActive() {}
    // Leaving the page (another tab or OK): write its values; false keeps the page.
    virtual bool OnKillActive() { return true; }
    // The sheet's OK, for every page initialised so far.
    virtual void OnOK() {}
};

class PropertySheetModel {
public:
    virtual ~PropertySheetModel() = default;

    // Pages in tab order; the sheet does not own them (the derived sheet does).
    void AddPage(PropertyPageModel* page);
    int PageCount() const { return int(m_pages.size()); }
    PropertyPageModel& Page(int index) const { return *m_pages[std::size_t(index)]; }
    bool IsInitialised(int index) const { return m_initialised[std::size_t(index)]; }

    // Shows the start page (the sheet's window opening).
    void Start(int page = 0);
    int ActivePage() const { return m_active; }
    // Switches to another page; false when the current page refuses to be
    // left (the sheet stays on it).
    bool SetActivePage(int index);
    // The sheet's OK; false when the current page refuses to be left.
    bool OnOK();

    // Run on every OK after the pages' OK steps (the bypass sheet's check).
    std::function<void()> ownerCheck;

private:
    void Show(int index);

    std::vector<PropertyPageModel*> m_pages;
    std::vector<bool> m_initialised;
    int m_active = -1;
};
