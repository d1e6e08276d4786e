// ApplicationController: the owner of the reading screen behind the main
// window. It holds the window's preferences and view, the soft-key bars,
// the timer table and the queue of pending commands; it executes every
// command identifier (the dispatcher, command_dispatch.cpp) and offers the
// operations that commands, scripts, pages and dialogs call: window title
// and bars per view mode, full screen, message boxes, the open-file dialog,
// beaming, external programs, the clipboard and the selection menu.
//
// UI thread only, except PostCommand, which the audio driver's thread
// calls too (command_queue.cpp says how the two threads meet).
//
// Files: application_controller.cpp (life, bars, title, full screen),
// controller_messages.cpp (message boxes, open-file dialog, clipboard),
// controller_shell.cpp (beaming, programs, addresses, the cart's file),
// command_dispatch.cpp (ExecuteCommand and the selection), command_queue.cpp.
#pragma once

#include <cstdint>
#include <mutex>

#include "app/buttons/name_id_table.h"
#include "app/controller/cart_holder.h"
#include "app/controller/controller_display_host.h"
#include "app/controller/dialog_stand_ins.h"
#include "app/controller/playlist_source.h"
#include "app/controller/soft_key_bar_stand_in.h"
#include "app/controller/sound_list.h"
#include "app/controller/sound_player.h"
#include "app/pages/book_folder_catalogue.h"
#include "app/pages/list_page_stand_ins.h"
#include "app/frame/frame_view.h"
#include "app/preferences/preferences.h"
#include "audio/player/audio_player_listener.h"
#include "foundation/containers/segmented_array.h"
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/system/lifetime_guard.h"
#include "foundation/system/timer_table.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/drawing/font_table.h"
#include "platform/types/geometry_types.h"
#include "platform/types/window_handle.h"

class AppEnvironment;
class Preferences;

// A beaming program exists on the device.
bool IsBeamAvailable();

// The main window's private message whose handler arms the queue's timer
// on the UI thread (posted by a PostCommand from another thread).
constexpr uint32_t kArmPendingCommandsMessage = 0x8020;

class ApplicationController : public NameIdTable,
                              public TimerHandler,
                              public FontTable,
                              public PreferencesHost,
                              public AudioPlayerListener,
                              public CatalogueListener {
 public:
  explicit ApplicationController(const AppEnvironment* environment);
  ~ApplicationController() override;

  // ---- Accessors.
  void SetDocumentView(AppFrameView* view) { view_ = view; }
  AppFrameView* GetDocumentView() const { return view_; }
  void SetPreferences(Preferences* preferences) { preferences_ = preferences; }
  Preferences* preferences() const { return preferences_; }
  void SetCommandListener(CommandListener* listener) { listener_ = listener; }
  // The main window: the timer table's owner and every dialog's owner.
  void SetMainWindow(HWND window);
  HWND mainWindow() const { return mainWindow_; }
  const AppEnvironment* environment() const { return environment_; }
  LifetimeAnchor* lifetimeAnchor() { return &anchor_; }
  // What the window's display manager is attached with.
  DisplayHost* displayHost() { return &displayHost_; }
  TimerTable* timerTable() { return &timers_; }

  // ---- Font table (the drawing surface reads it).
  bool GetEntry(uint8_t id, FontTableEntry* out) const override;
  bool SetFontEntry(uint32_t index, uint32_t value, const EncodedString& name) override;
  void SetSurfaceClearType(bool) override {}
  void ApplyPreferencesToView() override;

  // ---- Bars, pages and the window title.
  void CreateBars();
  void UpdateWindowTitle();
  void ShowLibraryTitle();
  // The library page in place of the document, the row of the book that
  // was shown selected; the annotations page likewise.
  void ShowLibrary();
  void ShowAnnotations();
  // 1 while the library page shows, 3 the annotations page, else 0.
  uint32_t GetActiveListPage() const;
  // Lays both pages out to the area the window gives them.
  void LayoutPages(const RECT& area);
  // The focus to the page shown; true when one took it.
  bool FocusActivePage();
  // WM_NOTIFY of the main window: true when handled (`out` its answer).
  bool OnNotify(const NMHDR* header, LRESULT* out);
  LibraryPageStandIn& libraryPage() { return libraryPage_; }
  // The catalogue the library page lists (not owned; null: the
  // controller's own, which lives as long as it does).
  void SetCatalogue(BookFolderCatalogue* catalogue);
  BookFolderCatalogue* catalogue() { return catalogue_; }
  // The catalogue's books changed: the library page, when shown, lists
  // them again.
  void CatalogueChanged() override;
  AnnotationsPageStandIn& annotationsPage() { return annotationsPage_; }
  bool IsFullScreen() const { return fullScreen_ != 0; }
  void ToggleFullScreen(bool store, bool repaint);
  void DismissTransientUi(bool keepFind);
  SoftKeyBarStandIn& readingBar() { return readingBar_; }
  SoftKeyBarStandIn& audioBar() { return audioBar_; }
  SoftKeyBarStandIn& closeMenuBar() { return closeMenuBar_; }
  SoftKeyBarStandIn& drawingBar() { return drawingBar_; }
  void SetViewArea(const RECT& area, bool force);
  void HideBars();
  const RECT& viewArea() const { return viewArea_; }
  void FirstPageShown() {}

  // ---- Messages (kind 0 information, 1 warning, 2 error, 3 OK/Cancel).
  bool MessageBox(int32_t captionId, const WCHAR* text, uint32_t kind);
  bool ShowMessage(int32_t captionId, uint32_t textId, uint32_t kind);
  // "%1" to "%9" replaced by the arguments.
  bool ShowFormattedMessage(int32_t captionId, uint32_t textId, uint32_t kind, const SharedWideString* args,
                            uint32_t count);
  // The chosen path (UTF-16) on OK.
  bool ShowOpenFileDialog(EncodedString* path);
  // Unicode text (format 13) on the clipboard; nothing for an empty text.
  bool CopyToClipboard(const SharedWideString& text);
  void Exit();

  // ---- Dialogs and sheets (controller_dialogs.cpp); each answers true on
  // OK. Leaving and retaking full screen and the bars around them as the
  // dialogs will need.
  void OpenFindDialog();
  void FindNext();
  bool ShowOptions();
  bool ShowAbout();
  bool ShowGoToPage();
  bool ShowVolume();
  // The note dialog for a mark kind (2 note, 4 highlight, 16 modify, 32
  // link, 0x8000 plain text) and the text it edits; `annotationIndex` -1
  // for a new annotation. False without a view.
  bool AskText(uint32_t kind, SharedWideString* text, int32_t annotationIndex);
  bool ShowBookProperties(const EncodedString& path);
  const DialogStandIns& dialogs() const { return dialogs_; }

  // ---- Annotations and bookmarks (controller_annotations.cpp).
  // Kind 4 highlight (stored at once), 2 note, 16 modify (asked first).
  bool AnnotateSelection(uint32_t kind);
  // A new mark (index -1) over the range, or mark `index` changed; an
  // empty text deletes.
  bool StoreAnnotation(uint32_t kind, const TextRange& range, const SharedWideString& text, int32_t index);
  bool EditAnnotationAtSelection(uint32_t kind);
  bool EditAnnotation(int32_t index);
  void DeleteHighlightInSelection();
  // A bookmark on the current page is deleted, else one is added.
  void ToggleBookmark();
  // The pending link request begun (53) and completed (54).
  void AddLink();
  void SetLinkTarget();
  // The colour word a new mark of this kind is stored with.
  uint32_t AnnotationColourWord(uint32_t kind) const;
  // Link hints that needed the tip pop-up (no shell notification).
  uint32_t linkHintTips() const { return linkHintTips_; }

  // ---- Playlists (playlist_export.cpp): "name#1;2,3" exports parts 1, 2
  // and 3 of the named audio (the document's own without a name) as a
  // playlist and opens it; false, after the error's box, when it fails.
  void SetPlaylistSource(PlaylistSource* source) { playlistSource_ = source; }
  bool ExportPlaylist(const SharedWideString& request);
  bool ExportPlaylistAndRecord(const SharedWideString& request) {
    return ExportPlaylist(request) && StartVoiceRecorder();
  }

  // ---- Carts (controller_cart.cpp): the named carts of the form log.
  void SetCart(CartHolder* carts) { cart_ = carts; }
  // Adds (or updates) an item and confirms it with a box.
  bool AddCartItem(const SharedWideString& cart, const SharedWideString& text, const SharedWideString& identifier);
  // Removes an item; the view reloads.
  bool RemoveCartItem(const SharedWideString& cart, uint32_t index);
  // Empties the cart (the view reloads when it held items); true when the
  // cart exists.
  bool ClearCart(const SharedWideString& cart);
  // Only the "interactions" cart is submitted, through its page.
  bool SubmitInteractions(const SharedWideString& cart, const SharedWideString& title);
  // Refuses the system's files and books as the target (MayWriteCartTo).
  bool WriteCartXml(const SharedWideString& cart, const EncodedString& path);
  // The sound list of a page ("url|label;url|label", each address against
  // the document shown) handed to the player, track 0 selected and started
  // when `play`; true.
  bool PlaySoundList(const SharedWideString& text, bool play);
  // The sound list's player: stop (the list let go), pause, resume, volume.
  void StopAudio();
  void PauseAudio();
  void ResumeAudio();
  void SetAudioVolume(uint32_t volume);

  // ---- Sound (sound_player.cpp) and the voice recorder.
  // The player of the sound list (not owned; null: none).
  void SetSoundPlayer(SoundPlayer* player) { sound_ = player; }
  // What opens the sound list's tracks (not owned; the loader's in the
  // program).
  void SetSoundOpener(SoundOpener* opener) { soundList_.SetOpener(opener); }
  const SoundList& soundList() const { return soundList_; }
  // The next track (after the last: the first) or the previous one
  // (before the first: the last), paused unless the player plays.
  void StepSound(bool forward);
  void ToggleSoundPause();
  // 1 to 0xFFFF to both channels; false for another value or no player.
  bool SetSoundVolume(uint32_t value);
  // After 400 ms, the shell's voice recorder over the main window.
  bool StartVoiceRecorder();

  // ---- The display's orientation (codes 0-3).
  bool CanRotateDisplay() const;
  // A change that succeeds sets the orientation preference to 0.
  bool SetDisplayOrientation(int32_t orientation);
  // Tries the orientations after the current one in the rotation order.
  bool RotateToNextOrientation();

  // ---- Programs and addresses through the shell.
  bool BeamFile(const EncodedString& path);
  bool OpenUrlInBrowser(const WCHAR* address);
  // A document named relative to the current document's folder; a name
  // that leaves that folder or names this program is refused.
  bool OpenInExternalProgram(const EncodedString& name);
  // A program name holding a folder, or this program, is refused.
  bool OpenInWordProcessor(const EncodedString& program, const EncodedString& file);
  // Refuses the system's own files and books (nothing written).
  bool MayWriteCartTo(const EncodedString& path) const;

  // ---- Commands.
  void ExecuteCommand(uint32_t command, bool fromQueue);
  // The view's finished selection: `rangeEmpty` for a tap on a word.
  void OnSelectionMade(bool rangeEmpty, const SharedWideString& text, POINT point);
  void ShowSelectionMenu(POINT point, const uint32_t (*items)[2], uint32_t count);
  bool GetSelectedWord(SharedWideString* word) const;
  const SharedWideString& lastLookedUpWord() const { return lastWord_; }

  // ---- The audio player's events (any thread): queued as commands 110
  // (position), 116 (track ended: the next sound), 111 (track changing)
  // and 112 (playing changed); their arguments are not needed.
  void PositionChanged(AudioPlayer*, uint32_t, int32_t) override { PostCommand(110); }
  void TrackEnded(AudioPlayer*) override { PostCommand(116); }
  void TrackChanging(AudioPlayer*) override { PostCommand(111); }
  void PlayingChanged(bool) override { PostCommand(112); }

  // ---- Pending commands.
  // Appends (any thread); -1 when it cannot be stored.
  int32_t PostCommand(uint32_t command);
  // The main window's handler of kArmPendingCommandsMessage.
  void ArmPendingCommands();
  // The timer's handler: runs every queued command in posting order.
  void OnTimer(TimerTable* table, TimerId id) override;
  bool PendingTimerArmed() const { return pendingTimer_ != kNoTimer; }

 private:
  bool TakePendingCommand(uint32_t* command);
  bool FullScreenPreferred() const;
  void LeaveFullScreenForDialog();
  void ShowBarsAfterSheet();
  void ShowCannotOpenSound(const SharedWideString& name);
  void RunControllerCommand(uint32_t command);
  void SetSelectionAction(uint32_t action, uint32_t viewCommand);
  void OpenInternalAddress(const WCHAR* address, const NavigationRequestCode* request);
  bool StartThroughShell(const WCHAR* file, const WCHAR* parameters, bool noCloseProcess);

  const AppEnvironment* environment_;
  LifetimeAnchor anchor_;
  TimerTable timers_;
  AppFrameView* view_ = nullptr;
  Preferences* preferences_ = nullptr;
  CommandListener* listener_ = nullptr;
  HWND mainWindow_ = nullptr;
  RECT viewArea_{0, 0, 0, 0};
  uint8_t viewAreaLocked_ = 0;
  SharedWideString lastWord_;
  SoftKeyBarStandIn readingBar_{"reading"};
  SoftKeyBarStandIn audioBar_{"audio"};
  SoftKeyBarStandIn closeMenuBar_{"close/menu"};
  SoftKeyBarStandIn drawingBar_{"drawing"};
  ControllerDisplayHost displayHost_{this};
  BookFolderCatalogue ownCatalogue_;
  BookFolderCatalogue* catalogue_ = &ownCatalogue_;
  LibraryPageStandIn libraryPage_;
  AnnotationsPageStandIn annotationsPage_;
  DialogStandIns dialogs_;
  uint32_t linkHintTips_ = 0;
  SoundPlayer* sound_ = nullptr;
  SoundList soundList_;
  CartHolder* cart_ = nullptr;
  PlaylistSource* playlistSource_ = nullptr;
  uint8_t fullScreen_ = 0;

  // The queue: identifiers appended by any thread, taken from `head_` on
  // the UI thread; `armed_` while a timer (or the message that arms it) is
  // on its way. Both under `queueLock_`.
  std::mutex queueLock_;
  SegmentedArray pending_{static_cast<int32_t>(sizeof(uint32_t))};
  uint32_t head_ = 0;
  bool armed_ = false;
  TimerId pendingTimer_ = kNoTimer;
  uint32_t uiThread_ = 0;
};
