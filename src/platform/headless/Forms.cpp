#include <algorithm>
#include <utility>

#include "platform/ErrorReport.h"
#include "platform/headless/Widgets.h"

namespace platform::headless {

void SimPageControl::SetActivePage(int page)
{
    if (page < 0 || page >= pageCount_ || page == active_)
        return;
    active_ = page;
    if (OnPageShow)
        OnPageShow(page);
}

void SimPageControl::ClickTab(int page)
{
    form_.Guard([&] { SetActivePage(page); });
}

SimMenuItem* SimContainer::ShortCutItem(int key)
{
    for (auto& [name, widget] : widgets_)
        if (auto* item = dynamic_cast<SimMenuItem*>(widget.get()); item != nullptr && item->ShortCut == key)
            return item;
    return nullptr;
}

void SimForm::Show()
{
    Calls.push_back("Show");
    if (visible_)
        return;
    Fire(OnBeforeShow);
    visible_ = true;
    Window.IsVisible = true;
    Fire(OnShow);
}

void SimForm::BringToFront()
{
    Calls.push_back("BringToFront");
    Activate();
}

void SimForm::Activate()
{
    Calls.push_back("Activate");
    if (active_ || !visible_)
        return;
    if (ActivatesLater) {
        activationPending_ = true;
        return;
    }
    active_ = true;
    BecomeActiveForm();
}

void SimForm::CompleteActivation()
{
    if (!activationPending_)
        return;
    activationPending_ = false;
    active_ = true;
    Guard([&] { BecomeActiveForm(); });
}

void SimForm::BecomeActiveForm()
{
    SimForm* previous = std::exchange(widgets_.ActiveForm, this);
    if (previous != nullptr && previous != this)
        Fire(OnActivate);
}

bool SimForm::RegisterHotkey(int id, unsigned modifiers, unsigned key)
{
    auto& held = widgets_.HeldElsewhere;
    if (std::find(held.begin(), held.end(), std::make_pair(modifiers, key)) != held.end())
        return false;
    for (const auto& hotkey : widgets_.Hotkeys)
        if ((hotkey.Form == this && hotkey.Id == id) || (hotkey.Modifiers == modifiers && hotkey.Key == key))
            return false;
    widgets_.Hotkeys.push_back({this, id, modifiers, key});
    return true;
}

void SimForm::UnregisterHotkey(int id)
{
    auto& hotkeys = widgets_.Hotkeys;
    hotkeys.erase(std::remove_if(hotkeys.begin(), hotkeys.end(),
                                 [&](const SimWidgets::Hotkey& hotkey) { return hotkey.Form == this && hotkey.Id == id; }),
                  hotkeys.end());
}

void SimForm::CloseWindow()
{
    Guard([&] {
        bool allow = true;
        if (OnCloseQuery)
            OnCloseQuery(allow);
        if (!allow)
            return;
        if (ShownModal)
            modalResult_ = ModalResultCancel;
        else
            Hide();
    });
}

void SimForm::Minimize()
{
    minimized_ = true;
    active_ = false;
    Guard([&] { Fire(OnMinimize); });
}

SimTrayIcon::SimTrayIcon(SimWidgets& widgets, std::string tip) : Tip(std::move(tip)), widgets_(widgets)
{
    widgets_.TrayIcons.push_back(this);
}

SimTrayIcon::~SimTrayIcon()
{
    auto& icons = widgets_.TrayIcons;
    icons.erase(std::remove(icons.begin(), icons.end(), this), icons.end());
}

bool SimTrayIcon::Add()
{
    Shown = widgets_.NotificationAreaExists;
    return Shown;
}

void SimWidgets::EndNotificationArea()
{
    NotificationAreaExists = false;
    for (SimTrayIcon* icon : TrayIcons)
        icon->Shown = false;
}

void SimWidgets::CreateNotificationArea()
{
    EndNotificationArea();
    NotificationAreaExists = true;
    const std::vector<SimTrayIcon*> icons = TrayIcons;
    for (SimTrayIcon* icon : icons)
        RunHandler([&] { Fire(icon->OnNotificationAreaCreated); });
}

void SimTrayIcon::LeftDown()
{
    RunHandler([&] { Fire(OnLeftDown); });
}

void SimTrayIcon::RightDown()
{
    RunHandler([&] { Fire(OnRightDown); });
}

std::unique_ptr<ITrayIcon> SimWidgets::CreateTrayIcon(const std::string& tip)
{
    return std::make_unique<SimTrayIcon>(*this, tip);
}

bool SimWidgets::SimulateHotkey(unsigned modifiers, unsigned key)
{
    for (const Hotkey& hotkey : Hotkeys)
        if (hotkey.Modifiers == modifiers && hotkey.Key == key) {
            SimForm& form = *hotkey.Form;
            const int id = hotkey.Id;
            form.Guard([&] {
                if (form.OnHotkey)
                    form.OnHotkey(id);
            });
            return true;
        }
    return false;
}

void SimWidgets::HoldHotkeyElsewhere(unsigned modifiers, unsigned key)
{
    HeldElsewhere.emplace_back(modifiers, key);
}

} // namespace platform::headless
