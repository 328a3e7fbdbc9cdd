#pragma once

#include <QString>
#include <functional>
#include <vector>

class Form;
class Container;

// Positions and sizes are in twips (1/1440 inch); the screen shows 15 twips per pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;

// Colour values as the program writes them: red in the low byte (255 is red, 0 black, 0xA56B39 a mid blue).
// Values with the top bit set name a system colour (the platform's default for the control).
namespace colors {
constexpr int Black = 0;
constexpr int Red = 255;
constexpr int White = 0xFFFFFF;
constexpr int WindowText = static_cast<int>(0x80000012u);
constexpr int ButtonFace = static_cast<int>(0x8000000Fu);
constexpr int Window = static_cast<int>(0x80000005u);
inline bool isSystem(int color) { return (static_cast<unsigned>(color) & 0x80000000u) != 0; }
inline int rgb(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
} // namespace colors

// What changed in a model, so that a renderer can update just that.
enum class Prop {
    Caption,   // caption or text
    Geometry,  // left, top, width, height (for a line: its end points)
    Visible,
    Enabled,
    Colors,
    Font,
    Items,     // a list's entries
    ListIndex,
    Value,     // check box, option button, menu check mark
    Picture,
    Selection, // a text box's selection
    Style,     // any other look: alignment, default/cancel button, locked, shortcut, border, pointer
    TabOrder,
    Capture,   // the control takes or releases the mouse
    Focus,     // the form's active control
    Loaded,    // the form was unloaded
    Destroyed  // the form object is going away
};

class Control;

// Receives every change of a form and its controls; the renderer is one.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void formChanged(Form &form, Prop what) = 0;
    virtual void controlChanged(Control &control, Prop what) = 0;
};

// A control of a form: the state the program reads and writes, and the events it raises. Events are plain
// function members that the owning form sets to its handlers; an unset event does nothing.
class Control {
public:
    enum class Kind {
        Label, TextBox, ComboBox, ListBox, CheckBox, OptionButton, CommandButton, Frame, PictureBox, Line, Shape,
        Image, Timer, Menu, StatusBar
    };

    Control(Container *parent, const QString &name, Kind kind);
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    Kind kind() const { return kind_; }
    const QString &name() const { return name_; }
    Form &form() const { return *form_; }
    Container *container() const { return parent_; }
    // Index within a control array, -1 for a single control.
    int index() const { return index_; }
    void setIndex(int index) { index_ = index; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setLeft(int v) { move(v, top_, width_, height_); }
    void setTop(int v) { move(left_, v, width_, height_); }
    void setWidth(int v) { move(left_, top_, v, height_); }
    void setHeight(int v) { move(left_, top_, width_, v); }
    // Negative sizes are taken as 0, as the platform does not allow them.
    virtual void move(int left, int top, int width, int height);

    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    // Visible and enabled together with every container up to the form.
    bool isShownAndEnabled() const;

    int foreColor() const { return foreColor_; }
    void setForeColor(int c);
    int backColor() const { return backColor_; }
    void setBackColor(int c);

    // Empty font name: the form's regular font.
    const QString &fontName() const { return fontName_; }
    void setFontName(const QString &n);
    double fontSize() const { return fontSize_; }
    void setFontSize(double points);
    bool fontBold() const { return fontBold_; }
    void setFontBold(bool b);
    bool fontItalic() const { return fontItalic_; }
    void setFontItalic(bool b);
    bool fontUnderline() const { return fontUnderline_; }
    void setFontUnderline(bool b);

    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int i);
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool b) { tabStop_ = b; notify(Prop::TabOrder); }

    // Whether taking the focus first asks the control that loses it to validate (its Validate event). A cancel
    // button that must always work turns it off.
    bool causesValidation() const { return causesValidation_; }
    void setCausesValidation(bool b) { causesValidation_ = b; }
    // The pointer shown over the control: 0 the kind's usual one, 99 the program's own (a pointing hand, for links).
    static constexpr int PointerDefault = 0;
    static constexpr int PointerCustom = 99;
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);

    const QString &tag() const { return tag_; }
    void setTag(const QString &t) { tag_ = t; }

    // Whether this kind of control can hold the focus at all.
    virtual bool canHoldFocus() const { return false; }
    // Moves the focus of the form here (LostFocus of the old control, then GotFocus). False where the control
    // cannot take the focus (hidden, disabled, or a kind without focus); nothing happens then.
    bool setFocus();
    bool hasFocus() const;

    // The mouse is routed to this control until released (link fields use it for their hover look).
    void captureMouse();
    void releaseMouse();
    bool hasMouseCapture() const;

    // The user moves the mouse over the control: X and Y in twips relative to the control.
    void userMouseMove(int button, int shift, float x, float y);

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void(int Button, int Shift, float X, float Y)> MouseMove;
    // Raised on the control that holds the focus before the focus moves to a control that causes validation;
    // Cancel != 0 keeps the focus where it is (the move does not happen, nor its LostFocus and GotFocus).
    std::function<void(int &Cancel)> Validate;

protected:
    // Tells the form's observers; subclasses that react to their own changes override changed().
    void notify(Prop what);
    virtual void changed(Prop what) { (void)what; }
    // Runs an event handler, if set, inside an event scope.
    static void raise(const std::function<void()> &event);

private:
    friend class Form;
    Form *form_;
    Container *parent_;
    QString name_;
    Kind kind_;
    int index_ = -1;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    int foreColor_ = colors::WindowText;
    int backColor_ = colors::ButtonFace;
    QString fontName_;
    double fontSize_ = 8.25;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    bool fontUnderline_ = false;
    int tabIndex_ = 0;
    bool tabStop_ = true;
    bool causesValidation_ = true;
    int mousePointer_ = PointerDefault;
    QString tag_;
};

// What holds controls: a form, a frame or a picture box. Option buttons group by their container.
class Container {
public:
    virtual ~Container() = default;
    Form &containerForm() const { return *ownerForm_; }
    const std::vector<Control *> &children() const { return children_; }
    // The control this container is, or null for the form.
    virtual Control *asControl() { return nullptr; }

protected:
    explicit Container(Form *owner) : ownerForm_(owner) {}

private:
    friend class Control;
    Form *ownerForm_;
    std::vector<Control *> children_;
};
