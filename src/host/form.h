#pragma once
// A top-level window with a load and unload lifecycle. Showing an unloaded form loads it
// (building its controls and running Form_Load); unloading runs Form_Unload and destroys the
// window with every control added at run time.
#include "host/canvas.h"
#include "host/control.h"
#include "host/qt/event_sink.h"
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vx {

enum FormBorderStyle : Integer { vbBSNone = 0, vbFixedSingle = 1, vbSizable = 2 };
enum FormWindowState : Integer { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

class Form : public Canvas, private hostqt::EventSink {
  public:
    ~Form() override;

    void Load();
    void Show();
    // Returns once the window as it now is (shown, placed, sized, drawn) has reached the
    // screen, serving pending events meanwhile; with keepFrame it then stays there for one
    // refresh of the screen. A window system that does not answer is not waited for long.
    void Present(bool keepFrame = false);
    void Hide();
    void Unload();
    bool IsLoaded() const { return loaded_; }

    const String& Caption() const { return caption_; }
    void setCaption(const String& c);
    Single Left();
    Single Top();
    Single Width(); // outer size, twips
    Single Height();
    void setWidth(Single w);
    void setHeight(Single h);
    void Move(Single left, Single top, Single width, Single height);
    Integer WindowState() const { return windowState_; }
    void setWindowState(Integer s);
    Boolean Visible() const;

    // The run-time control collection: adds a control of a class ("VB.PictureBox", "VB.Label",
    // "VB.Timer") under a name that must be free on this form.
    Control& addControl(const std::string& progId, const std::string& name);
    Control* control(const std::string& name) const;
    std::size_t controlCount() const { return controls_.size(); }

    // Called by Control::create, and by a control that goes before its form unloads.
    void adopt(Control* c);
    void forget(Control* c);

    // Loaded forms of the program.
    static int loadedCount();

  protected:
    explicit Form(std::string windowClass = "ThunderRT6FormDC");

    // Design-time settings, fixed by each form's constructor.
    Integer borderStyle = vbSizable;
    bool minButton = true;
    bool maxButton = true;
    bool centerOnFirstShow = false;
    double clientWidth = 4800, clientHeight = 3600; // twips
    Integer startWindowState = vbNormal;
    std::string iconResource;
    // The pointer hides over the window after resting there a second and shows on motion.
    bool hideIdlePointer = false;
    // The program's main window: the monitor that holds its centre is the one patterns cover.
    bool startupForm = false;
    // The window outlives an unload, hidden, for the next load: one that follows at once
    // keeps it on the screen, showing its last picture until its new one is complete, and a
    // later one shows it sooner than a new window.
    bool keepWindowOnReload = false;

    // Creates the design-time controls and sets their properties, in creation order.
    virtual void InitializeComponent() {}
    virtual void Form_Load() {}
    virtual void Form_Unload(Integer& Cancel) { (void)Cancel; }
    virtual void Form_Click() {}
    virtual void Form_MouseDown(Integer, Integer, Single, Single) {}

    void needSurface() override { Load(); }

  private:
    void applyWindowState();
    void sinkMouseDown(int b, int s, double x, double y) override;
    void sinkClick() override;
    void sinkCloseRequest() override;

    // What the form's constructor set, given back at every load.
    struct DesignState {
        OleColor back, fore;
        StdFont font;
        String caption;
    };
    std::optional<DesignState> design_;
    std::string windowClass_;
    bool loaded_ = false;
    bool unloading_ = false;
    bool shownOnce_ = false;
    String caption_;
    Integer windowState_ = vbNormal;
    std::vector<Control*> controls_;                   // every control, in creation order
    std::vector<std::unique_ptr<Control>> runtime_;    // those added at run time
    std::unordered_map<std::string, Control*> byName_; // lower-case names
};

namespace detail {
// Notes that a shared instance of a form class has just been made.
void noteSharedForm(void (*release)());
} // namespace detail

// The program's end: every shared instance goes, the newest first, with its window.
void releaseSharedForms();

// One shared instance per form class, created on first reference. Releasing the reference
// makes the next reference create a fresh instance.
template <class F> class SharedForm {
  public:
    static F& get() {
        auto& p = ref();
        if (!p) {
            p = std::make_shared<F>();
            detail::noteSharedForm(&SharedForm::release);
        }
        return *p;
    }
    static std::shared_ptr<F> hold() {
        get();
        return ref();
    }
    static bool exists() { return ref() != nullptr; }
    static void release() { ref().reset(); }
    // Unloads the form if it exists; closing a form that is not open does nothing.
    static void unload() {
        if (auto keep = ref()) keep->Unload();
    }

  private:
    static std::shared_ptr<F>& ref() {
        static std::shared_ptr<F> p;
        return p;
    }
};

} // namespace vx
