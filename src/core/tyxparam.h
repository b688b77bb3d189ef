// tyxparam.h — the viewer state block: every program-wide variable with its default.
//
// The state is split into sections, one global instance each. Every default is
// written once, as a member initialiser here; reset_viewer_state() puts every
// section back to these values (tests call it before each case).
//
// Conventions: angles in degrees unless a name says rad_; quaternions are
// (w, x, y, z); matrices are 16 doubles in OpenGL column-major order; positions
// of flat elements are screen units (y from -2 at the bottom to 2 at the top at
// the default view size). Times called "seconds" come from elapsed_seconds().
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "plot/plot_layers.h"

constexpr int kMaxFrames = 10000;      // slots of each per-frame image table
constexpr int kIconPlaces = 27;        // icon slots of the palette
constexpr int kIconPictures = 35;      // pictures in the icon table
constexpr int kPaletteCells = 16;      // pen colours of the drawing palette
constexpr int kMaxSengaPoints = 20000; // plotted-line points
constexpr int kMaxSengaLines = 10000;  // plotted lines
constexpr int kMaxPoints = 10000;      // point symbols
constexpr int kMaxArrows = 10000;      // arrows
constexpr int kMaxArrowBlocks = 100;   // arrow blocks
constexpr int kMaxDrawPoints = 40000;  // freehand stroke points
constexpr int kMaxStrokes = 20000;     // freehand strokes

// One decoded image. Owns its pixels; move-only. Rows top first, no padding.
struct TexImage {
    int width = 0;     // pixels
    int height = 0;    // pixels
    int channels = 0;  // bytes per pixel of `pixels`: 3 (RGB) or 4 (RGBA); 0 when empty
    bool bgra = false; // four bytes in the order B, G, R, A (the graphics driver's own)
    std::unique_ptr<unsigned char[]> pixels; // null when no image is held

    bool empty() const { return !pixels; }
    void release()
    {
        pixels.reset();
        width = height = channels = 0;
        bgra = false;
    }
};

// ---------------------------------------------------------------------------
// Images and textures. Filled by the loader at each (re)load of a window's
// series; released by a reload request. Icons are read once per run.
struct ImageState {
    TexImage image1[kMaxFrames]; // map of each frame slot
    TexImage image2[kMaxFrames]; // screen layer
    TexImage image3[kMaxFrames]; // alternate ("second") map
    TexImage image4[kMaxFrames]; // alternate screen layer
    TexImage icon[kIconPictures];
    TexImage pushed_icon;                 // pressed-look overlay
    int mask_logo[kMaxFrames] = {};       // 1: screen image of the slot loaded
    int mask_spherelogo[kMaxFrames] = {}; // 1: alternate map loaded
    int mask_doublelogo[kMaxFrames] = {}; // 1: alternate screen loaded
    int mask_earth[kMaxFrames] = {};      // 1: map file of the frame exists
    unsigned int texName[4] = {};         // GL names: map, screen, alternate map, alternate screen
    unsigned int icontexName[kIconPictures] = {};
    unsigned int pushed_icontexName = 0;
};

// ---------------------------------------------------------------------------
// Windows, camera and projection. Set by the configuration and start-up;
// sx, sy by every reshape of the window they belong to.
struct WindowState {
    int nsphere = 1; // 1 or 2 globes (windows)
    int window1 = 0; // GLUT window identifiers; 0 = not created
    int window2 = 0;
    int pixsize_x = 800, pixsize_y = 600; // initial size of window 1, pixels
    int pixposition_x = 0, pixposition_y = 0;
    int pixsize2_x = -9999, pixsize2_y = -9999; // -9999: not configured
    int pixposition2_x = -9999, pixposition2_y = -9999;
    int fullscreen = 0, fullscreen2 = 0;
    std::string window_title_1 = "TYX 1.27";
    std::string window_title_2 = "TYX 1.27(2)";
    int no_title_bar = 0;
    int single_instance = 0; // 1 = hand off to a running copy at start
    int invisible_cursor = 0;
    int perspec = 2;         // 1 perspective, anything else orthographic
    int perspec_radio = 1;   // requested projection; applied at the end of a globe drawing
    double ez = 20.0;        // eye distance on the z axis; its sign flips the view
    double size_ortho = 2.0; // half-height of the orthographic view
    double nearlimit = 0.1, farlimit = 40.0;
    double fovy = 0;               // degrees; computed by init
    double sx[2] = {}, sy[2] = {}; // 1/width, 1/height of window 1, window 2; 0 before a reshape
    // Frame pacing (render/frame_pacing), per window [window 1, window 2];
    // times in seconds. Written by the paced display callbacks and their timer.
    int frame_rate_limit = 60;           // most frames a window draws per second; 0 = no limit
    double frame_due[2] = {};            // when the window may draw its next frame
    double frame_timer_at[2] = {-1, -1}; // when the pending timer asks for a frame; -1 = none
    int frame_timer_generation[2] = {};  // the pending timer's number; older ones are void
    int frame_asked[2] = {};             // 1: the pending redisplay is the pacing's own
    double frames_lively_until = 0;      // full rate until then, after a request from outside
    int snapshot_request = 0, snapshot_request2 = 0; // 1: window 1 / 2 saves its next frame
};

// ---------------------------------------------------------------------------
// Orientation, zoom and shift of the two globes. Written by the input handlers
// and the per-frame inertia and spin steps.
struct ViewState {
    double cq[4] = {1, 0, 0, 0};  // committed orientation of globe 1
    double cq2[4] = {1, 0, 0, 0}; // committed orientation of globe 2
    double tq[4] = {};            // working orientation (latest turn)
    double tq2[4] = {};
    double qzure[4] = {};                       // fixed tilt of globe 2 against globe 1
    double qzure_inv[4] = {};                   // its inverse
    double angle2 = 0;                          // tilt angle, degrees
    double angle_axis2[2] = {0, 1};             // tilt axis x, y (z = 0), not normalised
    double rt[16] = {};                         // matrix of globe 1's orientation
    double rt2[16] = {};                        // matrix of globe 2's orientation
    double rt_moji[16] = {};                    // rotation used to place freehand strokes
    double rad_latitude = 0, rad_longitude = 0; // radians: polar angle, longitude + 180
    double rad_latitude2 = 0, rad_longitude2 = 0;
    double heading = 0; // "#Heading": compass direction up on the screen, degrees clockwise
    double theta1 = 0, theta2 = 0, theta1_2 = 0, theta2_2 = 0; // radians
    float scale_factor = 1.0f, scale_factor2 = 1.0f;
    float init_scale_factor = 1.0f, init_scale_factor2 = 1.0f;
    int synch = 1;                     // 1: globe 2 follows globe 1's zoom and shift
    int rotsynch = 1;                  // 1: together; 0, 2: independent
    float trans[2] = {};               // movable shift of globe 1, screen units before zoom
    float trans2[2] = {};              // movable shift of globe 2
    double trans_x = 0, trans_y = 0;   // shift of globe 1 restored by a reset
    double trans_x2 = 0, trans_y2 = 0; // fixed extra shift of globe 2
    double key_kaiten = 2.0;           // arrow-key turn step, window pixels
    int scaling = 0;                   // the drag zooms (Shift at the press)
    int parallel = 0;                  // the drag shifts (Alt at the press)
    int cx = 0, cy = 0;                // last pointer position, window pixels
    int nomousedrag = 0;               // drags do not turn, zoom or shift
    double drag_dx = 0, drag_dy = 0;   // previous turning drag step, window heights
};

// ---------------------------------------------------------------------------
// Inertia after a drag, one set per globe. Cleared by a left-button press,
// stepped once per drawn globe.
struct InertiaState {
    double arhozon = 0, arhozon_2 = 0;   // half-angle of the latest drag step, radians
    double arhozon2 = 0, arhozon2_2 = 0; // current coasting half-angle
    double dxhozon = 0, dyhozon = 0, dxhozon_2 = 0, dyhozon_2 = 0; // drag direction
    double ahozon = 0, ahozon_2 = 0;                               // length of that direction
    double minkanseikaiten = 0.1;                                  // start threshold on |arhozon|
    double minkanseikaitenstop = 0.01;                             // stop threshold on |arhozon2|
    double strengthkanseikaiten = 0.04;                            // fraction applied per step
    double gensuikanseikaiten = 0.995;                             // decay factor per step
};

// ---------------------------------------------------------------------------
// Spin about the polar axis, one angle for both globes.
struct SpinState {
    int jitenornot = 0;                      // spin on
    int jitensokudo = 6;                     // speed level; negative spins the other way
    double jiten_speed = 0.0001;             // least seconds between two steps
    double jiten_kankaku = 0.3;              // step per level, hundredths of a degree
    double thetajiten = 0;                   // spin angle, degrees, never wrapped
    double jitenjikan1 = 0, jitenjikan2 = 0; // seconds: last step / latest reading
};

// ---------------------------------------------------------------------------
// Animation of the map series.
struct PlayState {
    int ntime = 0;                  // frame shown, 0 .. ntimemax - 1
    int ntimemax = 10000;           // frame count, set by series discovery
    int ntimetmp = -9283734;        // frame last shown in window 1 (no frame has this index)
    int ntime2 = -50000;            // frame last shown in window 2
    int anim = 0;                   // 0 stopped, 1 forward, -1 backward
    int stopornot = 0;              // 1: loop; 0: stop when wrapping
    double anim_speed = 0.2;        // base frame interval, seconds
    int animsokudo = 8;             // speed level: interval = anim_speed * sqrt(2)^(8 - level)
    double anim_duration = 0.2;     // extra hold on the first frame of a pass, seconds
    double anim_duration_Final = 0; // extra hold on the last frame, seconds
    double jikan1 = 0, jikan2 = 0;  // seconds: start of the frame interval / latest reading
    int tex_start = 1;              // file number of frame 0
    int tex_end = 10000;            // cap on the frame count
    int number_of_textures = 1;     // 2 or more: alternate maps and screens exist
    std::string export_folder;      // --export-frames: where the frames go; "" when not exporting
    int export_frame = 0;           // --export-frames: index of the frame drawn next
    int late_frame = -1;            // frame the animation waits for (counted late once); -1: none
    int print_stats = 0;            // --stats: the statistics line at exit
    // Films as map series. The rate is configured; the rest is set by discovery.
    double video_frame_rate = 0; // "#VideoFrameRate": maps/s of a film at speed level 8;
                                 // 0 = as for images, negative = the film's own rate
    int map_film = 0;            // 1: globe 1's maps are one film
    double map_film_fps = 0;     // that film's own frames per second; 0 when it gives none
};

// ---------------------------------------------------------------------------
// Image series names and deferred work. Names come from the configuration;
// the request flags are raised by reloads and cleared by the next frame.
// The configuration files in reading order; an empty name is skipped.
enum ConfigFile : int {
    kBaseConfig,     // the base configuration: the folder's, or the installed one
    kUserConfig,     // the user's own, for every folder (XDG config folder)
    kDemoConfig,     // the installed demo's, when the folder has no maps of its own
    kFolderConfig,   // the presentation folder's own settings
    kLanguageConfig, // the language file, read last
    kConfigFiles
};

struct SeriesState {
    std::string init_file[kConfigFiles] = {"data/conf/init_conf.txt", "", "", "data/conf/conf.txt",
                                           ""};
    // Where files are found when not in the working directory (absolute, or
    // "" for the working directory); chosen once at start-up.
    std::string base_folder;    // holds data/conf/init_conf.txt and data/icons
    std::string content_folder; // holds the maps, screen images and plot files
    std::string strtexfile = "map/sample", strtexfile2 = "map/sample";
    std::string strdoubletexfile = "map/sample", strdoubletexfile2 = "map/sample";
    std::string strscreenfile = "logo/sample", strscreenfile2 = "logo/panel";
    std::string strdoublescreenfile = "logo/sample", strdoublescreenfile2 = "logo/panel";
    std::string strtexfile_s = "ppm", strtexfile_s2 = "ppm";
    std::string strdoubletexfile_s = "ppm", strdoubletexfile_s2 = "ppm";
    std::string strscreenfile_s = "ppm", strscreenfile_s2 = "ppm";
    std::string strdoublescreenfile_s = "ppm", strdoublescreenfile_s2 = "ppm";
    int second_sphere_texture = 0; // window 2 shows its own series
    int texture_double1 = 0;       // show the alternate images where they exist
    int screen_transparency = 255; // transparency of dark JPEG screen pixels
    int readtextureornot = 1;      // window 1 must (re)load its images
    int readtextureornot2 = 1;     // window 2 must (re)load its images
    int readinit_file = 1;         // window 1 must re-read the configuration
    int auto_reload = 0;
    int auto_reload_interval_min = 30;
    double time_now = 0, time_previous = 0; // wall-clock minutes
    int series_memory_mib = 0; // "#SeriesMemoryMiB": budget of decoded frames; 0 = automatic
};

// ---------------------------------------------------------------------------
// Screen layer, time bar and graticule.
struct OverlayState {
    int screen_onoff = 1; // draw the screen layer
    int screen_front = 1; // 1: in front of the globe (alpha images); 0: behind
    double logo_scale = 3.0, logo_x = -2.5, logo_y = 1.0; // window 1, screen units
    double logo_scale2 = 3.0, logo_x2 = -2.5, logo_y2 = 1.0;
    double time_scale = 1.0, time_x = -1.0, time_y = -1.0;
    int icon_hyoji_onoff = 1;                       // show the icons and the time bar
    int isenkeisenornot = 0;                        // draw the graticule
    int num_keisen = 2;                             // meridian count, 1 .. 72
    int num_isen = 2;                               // parallel spacing divisor, 1 .. 36
    float line_width = 0.8f, line_width_red = 2.0f; // pixels at zoom 1
    float color_isenkeisen[4] = {1, 1, 1, 1};
    float color_sekidou[4] = {0.8f, 0.2f, 0.2f, 1};
    float white[4] = {1, 1, 1, 1};
    float gray[4] = {0.3f, 0.3f, 0.3f, 1};
    float darkgray[4] = {0.1f, 0.1f, 0.1f, 1};
    float timebar_cap_color[4] = {0.3f, 0.3f, 0.3f, 1}; // end caps: the knob's grey until set
    float black[4] = {0, 0, 0, 1};
    int help_onoff[2] = {};  // key ?: key and mouse reference over window 1 / 2
    int blank_onoff[2] = {}; // key .: window 1 / 2 shows only black
    int stats_onoff[2] = {}; // key F9: the statistics line over window 1 / 2
    // Scrubbing on the time bar; its rectangles per window from every reshape.
    int time_scrub = 0;                   // "#TimeBarScrub": 1 = a press and drag set the frame
    double time_posi_x_window[2][2] = {}; // per window (1, 2): the bar's left, right in pixels
    double time_posi_y_window[2][2] = {}; // top, bottom (the knob's height) in pixels
    int time_drag_window = -1;            // window (0, 1) whose bar is being dragged; -1: none
};

// ---------------------------------------------------------------------------
// Icon palette. Placement from the configuration; window rectangles from
// every reshape; press bookkeeping from the mouse handler.
struct IconState {
    int int_button = 1;                           // icon places in use, 0 .. 27
    double icon_scale[kIconPlaces] = {1.0, 1.0};  // side, screen units
    double icon_posi_x[kIconPlaces] = {1.5, 1.8}; // top-left corner
    double icon_posi_y[kIconPlaces] = {-1.0, -1.0};
    int icon_onoff_permanent[kIconPlaces] = {}; // configured
    int icon_onoff[kIconPlaces] = {};           // shown and clickable
    // Per window (1, 2): left, right / top, bottom in that window's pixels.
    double icon_posi_x_window[2][kIconPlaces][2] = {};
    double icon_posi_y_window[2][kIconPlaces][2] = {};
    int pushbutton[kIconPlaces] = {};
    int pushedbutton[kIconPlaces] = {};
    int pushwindow = 0;
    int icon_yomitori_finish = 0; // icon pictures read (once per run)
    int icon_texture_finish = 0;  // icon textures made (once per run)
    int presentation_remote = 0;
    int ClickLock = 0;
    int click_lock = 0;         // the lock flag: ClickLock at start, then flipped by F12
    int click_lock_pending = 0; // 1 = the next pointer move is reported as a left press
    int export_icons = 0;       // 1: frames of --export-frames show the icons too
};

// The name a point of the plot stores carries, drawn beside its symbol.
struct PointLabel {
    int point = 0;    // index into the point arrays
    std::string text; // UTF-8
};

// ---------------------------------------------------------------------------
// Plot overlays. Base counts (_permanent) are fixed after start-up; per-frame
// data is appended after them at every frame change.
struct PlotState {
    int senga_mode_onoff = 0, senga_display_onoff = 0;
    double d_zahyo_senga[kMaxSengaPoints][3] = {};
    int lines_senga[kMaxSengaLines][2] = {};
    float mat_line_width_senga[kMaxSengaLines] = {3.0f};
    float mat_color_senga[kMaxSengaLines][4] = {{1, 1, 1, 1}};
    int pointnum_senga = 0, linenum_senga = 0;
    int pointnum_senga_permanent = 0, linenum_senga_permanent = 0;
    double d_radius_senga = 1.012;
    std::string str_senga = "data/lines/lines", str_senga_s = "txt";

    int point_mode_onoff = 0, point_display_onoff = 0;
    double d_polar_point[kMaxPoints][3] = {}; // radius, colatitude deg, longitude + 180 deg
    double mat_size_point[kMaxPoints] = {};
    int prop_point[kMaxPoints] = {};
    float mat_color_point[kMaxPoints][4] = {{1, 1, 1, 1}};
    int num_point = 0, num_point_permanent = 0;
    double d_radius_point = 1.001;
    double point_thickness = 0.1;
    double kurokage_kakudai = 0;
    std::string str_points = "data/points/points", str_points_s = "txt";
    std::vector<PointLabel> point_labels; // names of points, in point order

    int arrow_mode_onoff = 0, arrow_display_onoff = 0;
    double d_polar_arrow[kMaxArrows][3] = {};
    double mat_size_arrow[kMaxArrows] = {};
    double angle_arrow[kMaxArrows] = {};
    float mat_color_arrow[kMaxArrows][4] = {{1, 1, 1, 1}};
    int arrow_prop[kMaxArrowBlocks][2] = {};
    double sincho[kMaxArrowBlocks] = {}, sencho[kMaxArrowBlocks] = {};
    double sinfuku[kMaxArrowBlocks] = {}, senfuku[kMaxArrowBlocks] = {};
    double std_length = 0;
    int num_arrow = 0, num_arrow_permanent = 0;
    int arrow_prop_num = 0, arrow_prop_num_permanent = 0;
    double d_radius_arrow = 1.001;
    std::string str_arrows = "data/arrows/arrows", str_arrows_s = "txt";

    int plot_generation = 0; // new value at every change of the stores (plot_data_changed)

    // Layers beyond the stores, drawn after the stores' own and shown with
    // them: symbols with the points, polylines with the plotted lines. Each
    // carries its own generation. Filled by whoever loads such data.
    std::vector<PointLayer> point_layers;
    std::vector<LineLayer> line_layers;
};

// ---------------------------------------------------------------------------
// Freehand drawing: stroke store, pen and palette.
struct DrawingState {
    double d_zahyo[kMaxDrawPoints][3] = {};
    int lines[kMaxStrokes][2] = {};
    float mat_line_width_drawing[kMaxStrokes] = {3.0f};
    float mat_color_drawing[kMaxStrokes][4] = {{1, 1, 1, 1}};
    int pointnum = 0, linenum = 0;
    int min_linenum_undo = 0, max_linenum_undo = 0;
    int saved_num_line = 0, max_saved_num_line_undo = 0;
    int drawing_onoff = 0;
    int drawing_display_onoff = 1;
    int line_continue = 0;
    float line_width_drawing = 5.0f;
    float color_drawing[4] = {1, 1, 1, 1};
    double d_radius = 1.012;
    float line_alpha_multiply = 1.0f;
    int line_alpha_multiply_levels = 1;
    int line_alpha_multiply_levels_max = 16;
    float line_alpha_multiply_exponent = 0.8f;
    double prev_x = 0, prev_y = 0; // previous capture sample on the globe's disc
    int store_full_reported = 0;   // 1: capture said the store is full; cleared by a new stroke
    int nomousedrag_outside_drawing = 0; // nomousedrag to give back when drawing mode ends
    // The user's file as start-up found it. When it could not be loaded whole
    // (store full, lines that do not read), saves leave it alone and go to
    // a new file beside it, chosen at the first such save.
    int user_file_partial = 0; // 1: data/draw/lines.txt was not loaded whole
    std::string diverted_file; // where saves go instead; "" until the first
    double pscale = 0.15, palette_posi_x = -2.5, palette_posi_y = 1.2;
    float color_palette[kPaletteCells][4] = {
        {0, 0, 0, 1},       {0.5f, 0.5f, 0.5f, 1},       {0.75f, 0.75f, 0.75f, 1},
        {1, 1, 1, 1},       {0.5f, 0, 0.5f, 1},          {0.5f, 0, 0, 1},
        {1, 0, 0, 1},       {1, 0.373f, 0.125f, 1},      {1, 0.749f, 0.122f, 1},
        {0, 1, 0, 1},       {0.251f, 0.376f, 0.184f, 1}, {0.5f, 0.5f, 0, 1},
        {0, 0.5f, 0.5f, 1}, {0, 0.282f, 0.498f, 1},      {0, 0, 1, 1},
        {0, 1, 1, 1}};
    int pushbutton_palette[kPaletteCells] = {};
    double palette_posi_x_window[2][kPaletteCells][2] = {}; // per window (1, 2), as the icons'
    double palette_posi_y_window[2][kPaletteCells][2] = {};
};

// ---------------------------------------------------------------------------
// Text in the windows: font, place labels, captions, the time bar's reading
// and the notices. Set by the configuration; the caption lines are read
// again after every reading of it (load_caption_file).
constexpr double kCaptionAtTopLeft = -9999; // "#CaptionXY" not configured
struct TextState {
    std::string font = "DejaVu Sans"; // "#Font": a fontconfig pattern, or a font file
    int labels_display_onoff = 1;     // place labels shown; key T
    double label_size = 14;           // points (1/72 inch at 96 pixels an inch)
    float label_color[4] = {1, 1, 1, 1};
    std::string caption_file;             // "" = no captions
    std::vector<std::string> captions;    // line k: the caption of frame k
    double caption_x = kCaptionAtTopLeft; // top-left corner of the caption, screen units
    double caption_y = kCaptionAtTopLeft;
    double caption_size = 20; // points
    float caption_color[4] = {1, 1, 1, 1};
    int timebar_text = 0;  // the caption or "12 / 96" beside the time bar
    int notices_onoff = 1; // one-line notices at the bottom of window 1
};

// ---------------------------------------------------------------------------
// Lessons: the steps of the lesson file, the step shown and the flight of
// globe 1 between views. Names and the flight time come from the
// configuration and the command line, the steps from reading the lesson
// file; the step commands ask for a step, window 1's frame applies it and
// flies the globe.
struct LessonStep {
    std::string title;    // as shown: cut when very long
    std::string settings; // the lines after the title line, up to the next step
    int title_line = 0;   // line of "= Title" in the file
};

struct FlightEnd {
    double q[4] = {1, 0, 0, 0}; // globe 1's orientation, its spin included
    double scale = 1;           // zoom
    double trans[2] = {};       // shift, screen units before zoom
};

struct LessonState {
    std::string lesson_file;       // "#Lesson": the lesson to step through; "" for none
    std::string lesson_option;     // --lesson FILE; wins over "#Lesson" when given
    std::string read_file;         // the lesson file last read or tried; "" for none
    std::vector<LessonStep> steps; // empty: no lesson is loaded
    int step = -1;                 // step applied, -1 for none
    int step_request = -1;         // step that window 1's next frame applies; -1 for none
    int stepping = 0;              // 1 while a step is applied (the lesson file is not read again)
    int readings = 0;              // configuration readings so far
    int step_frame = -1;           // "#Frame" of a step: map to show, from 0; -1 for none
    double flight_seconds = 1.5;   // "#FlightSeconds", wall-clock seconds
    FlightEnd base_pose;           // globe 1's view as the configuration files alone give it
    std::string step_notice;       // what went wrong with the step being applied, for its notice
    std::string window_title;      // window 1's title with the step's
    int title_changed = 0;         // 1: window 1's frame sets window_title
    // --view LAT,LON[,ZOOM]: where the globe flies at start.
    int view_option = 0;                          // 1 = given
    double view_latitude = 0, view_longitude = 0; // degrees
    double view_zoom = 0;                         // 0 = keep the zoom
    // The flight: 0 none; 1 set out, starts at the next drawn globe; 2 flying.
    int flight = 0;
    int flight_follows_centre = 1; // 1: along the centre's great circle; 0: slerped
    double flight_start = 0;       // seconds
    FlightEnd flight_from, flight_to;
};

// ---------------------------------------------------------------------------
// Module state outside this block. Each item lives in the one file named and
// nowhere else; "kept" means reset_viewer_state() leaves it alone.
//   core/clock.cpp             start time of the monotonic clock: set once at
//                              load, kept. The test override of the clock:
//                              reset by reset_viewer_state().
//   view/menu_glut.cpp         the GLUT menus built per window, the state each
//                              was built from, and whether one is open: they
//                              belong to the windows, kept for the life of the
//                              process.
//   imagery/texture_upload_gl.cpp  the texture names this program holds in each
//                              window's GL context and the slot and table
//                              generation its frame textures were filled from:
//                              they describe GL objects, kept for the life of
//                              the contexts.
//   render/sphere_mesh.cpp, render/sphere_gl.cpp  the unit sphere mesh
//                              (constant), its vertex and index buffers in each
//                              window's GL context (kept for the life of the
//                              context), and the graticule's line arrays (a
//                              cache rebuilt whenever the meridian or parallel
//                              count differs): kept.
//   core/frame_counter.cpp     the mapped drawn-frame counters (only when the
//                              environment asks for them): kept.
//   imagery/film_reader.cpp    the listings of the films opened last (a cache
//                              keyed by each file's version) and whether
//                              FFmpeg's own log was silenced: kept.
//   imagery/texture_scaling.cpp  whether the once-per-run notice about shrunk
//                              images was printed: kept.
//   ui/help_overlay_gl.cpp     the layout of each window's key reference, a
//                              cache made again whenever the window's size or
//                              the key mode differs: kept.
//   imagery/series_loading.cpp  the generation count of the frame image
//                              tables: counts up for the whole run and is kept,
//                              since the windows' texture records compare with it.
//                              The test observer of slot decoding: null outside
//                              tests, set and cleared by the test that uses it.
//   imagery/series_stream.cpp  the frame cache of a streamed series: lives
//                              for the run (the decode workers use it until
//                              exit). The streamed tracks and the inputs of
//                              the last plan: reset by stop_series_streams(),
//                              which reset_viewer_state() calls. Whether the
//                              small-budget notice was given: kept.
//   imagery/decode_pool.cpp    the decode workers: started at the first
//                              streamed load, stopped and joined at exit.
//   imagery/series_stats.cpp   the playback counters (maps shown and late,
//                              the rates, the memory peak): kept for the run.
//   imagery/decode_report.cpp  the decode problems waiting to be shown as
//                              notices: kept.
//   render/picture_export.cpp  the writer thread of exported pictures and its
//                              queue: made at the first export, joined at exit,
//                              kept. Whether a series frame failed to write:
//                              cleared when a series export begins.
//   plot/plot_layers.cpp       the last plot generation handed out: counts up
//                              for the life of the process, kept, so that no
//                              generation repeats across resets.
//   plot/plot_shapes.cpp       the symbol shapes (constant): kept.
//   plot/plot_render_gl.cpp    what the drawing made of the layers (symbol
//                              quads, line ranks and levels, arrow triangles,
//                              the symbol atlas), and their vertex buffers and
//                              textures in each window's GL context: caches
//                              rebuilt whenever a generation, the level a view
//                              needs or the border width differs; kept.
//   lesson/lesson_steps.cpp    what the lesson step's settings changed at the
//                              last configuration reading, with the values to
//                              put back, and the series settings that reading
//                              began with: emptied by reset_viewer_state().
//   core/file_notices.cpp      which per-file messages were told: cleared by
//                              every configuration reading (a new load) and by
//                              reset_viewer_state().
//   text/font_faces.cpp        the FreeType library, the loaded faces and their
//                              glyph atlases per size (a cache made again when
//                              "#Font" differs from the face loaded): kept.
//   text/text_gl.cpp           each GL context's atlas textures: kept for the
//                              life of the contexts.
//   text/notices.cpp           the notice being shown, behind its lock (any
//                              thread posts): cleared by reset_viewer_state().
//                              Which frames' unreadable maps were told, per
//                              generation of the frame tables, and the text of
//                              the empty-series notice (a cache): kept.
//   text/window_text_gl.cpp    the texts of the time bar and the notice being
//                              drawn, buffers reused from frame to frame: kept.
//   text/place_labels_gl.cpp   the labels of the plot stores with their widths
//                              (a cache rebuilt whenever plot_generation, the
//                              label size or the font differs): kept.

extern ImageState img;
extern WindowState wnd;
extern ViewState view;
extern InertiaState inertia;
extern SpinState spin;
extern PlayState play;
extern SeriesState series;
extern OverlayState overlay;
extern IconState icons;
extern PlotState plot;
extern DrawingState drawing;
extern TextState txt;
extern LessonState lesson;

// Puts every section back to its defaults, releases all image buffers and
// returns the clock to real time. GL objects and the module state listed
// above as kept are not touched. Used by tests before each case.
void reset_viewer_state();
