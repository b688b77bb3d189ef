// film_reader.cpp — opening, listing and frame-accurate decoding of films with
// FFmpeg, and their conversion to BGRA with libswscale.
#include "imagery/film_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <sys/stat.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "imagery/film_index.h"
#include "imagery/image_readers.h"
#include "imagery/texture_scaling.h"

static_assert(kNoTimestamp == AV_NOPTS_VALUE, "the index marks missing timestamps as FFmpeg does");

// Packets listed per film at most: far beyond the frame tables, and a bound on
// the index a damaged or endless stream can make.
constexpr int kMaxFilmPackets = 1000000;

// The demuxers a film may be read with (FFmpeg's names).
constexpr const char* kFilmFormats = "mov,matroska,webm,avi,mpeg,mpegts,mpegvideo,ogg";

// Decoding errors in a row after which a run gives up.
constexpr int kMaxDecodingErrors = 16;

struct Film {
    AVFormatContext* format = nullptr;
    AVCodecContext* decoder = nullptr;
    SwsContext* scaler = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* picture = nullptr;
    int stream = -1;
    FilmInfo info;
    FilmIndex index;
    std::string problem;
    int next = -1;   // frame the decoder gives next without a seek; -1: it must seek
    int counted = 0; // frames handed out since the last seek, for films without timestamps
    int last = -1;   // showing place of the frame the decoder gave last

    ~Film()
    {
        sws_freeContext(scaler);
        av_frame_free(&picture);
        av_packet_free(&packet);
        avcodec_free_context(&decoder);
        avformat_close_input(&format);
    }
};

void FilmCloser::operator()(Film* film) const
{
    delete film;
}

const FilmInfo& film_info(const Film& film)
{
    return film.info;
}

const FilmIndex& film_index(const Film& film)
{
    return film.index;
}

const std::string& film_problem(const Film& film)
{
    return film.problem;
}

bool is_film_suffix(const std::string& suffix)
{
    static const char* const kSuffixes[] = {"mp4", "m4v",  "mov", "mkv",  "webm", "avi",
                                            "mpg", "mpeg", "ts",  "m2ts", "mts",  "ogv"};
    std::string lower = suffix;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::find(std::begin(kSuffixes), std::end(kSuffixes), lower) != std::end(kSuffixes);
}

namespace {

std::string error_text(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// The usual spelling of a codec in messages.
std::string codec_name(AVCodecID id)
{
    switch (id) {
    case AV_CODEC_ID_H264:
        return "H.264";
    case AV_CODEC_ID_HEVC:
        return "H.265";
    case AV_CODEC_ID_MPEG4:
        return "MPEG-4";
    case AV_CODEC_ID_MPEG2VIDEO:
        return "MPEG-2";
    case AV_CODEC_ID_MPEG1VIDEO:
        return "MPEG-1";
    case AV_CODEC_ID_MJPEG:
        return "Motion JPEG";
    case AV_CODEC_ID_PRORES:
        return "ProRes";
    default:
        break;
    }
    std::string name = avcodec_get_name(id);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// The libraries would print a line for every damaged macroblock; the reader
// says once per file what went wrong instead.
void quiet_ffmpeg()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

// First video stream that is a film, not a cover picture.
int first_video_stream(const AVFormatContext* format, bool* has_audio)
{
    *has_audio = false;
    for (unsigned i = 0; i < format->nb_streams; i++) {
        const AVStream* st = format->streams[i];
        if (st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            *has_audio = true;
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return static_cast<int>(i);
    }
    return -1;
}

double frame_rate_of(const AVStream* st)
{
    for (AVRational rate : {st->avg_frame_rate, st->r_frame_rate})
        if (rate.num > 0 && rate.den > 0)
            return av_q2d(rate);
    return 0;
}

// True when the container's header already gives what the reader needs.
bool described(const AVStream* st)
{
    const AVCodecParameters* par = st->codecpar;
    return par->codec_id != AV_CODEC_ID_NONE && par->width > 0 && par->height > 0 &&
           frame_rate_of(st) > 0;
}

// True when frame durations differ by more than a tenth of the typical one
// (the last frame's own duration is not known and does not count).
bool durations_vary(const std::vector<int64_t>& pts)
{
    if (pts.size() < 3)
        return false;
    std::vector<int64_t> durations;
    for (size_t i = 1; i < pts.size(); i++)
        durations.push_back(pts[i] - pts[i - 1]);
    std::nth_element(durations.begin(), durations.begin() + durations.size() / 2, durations.end());
    const double typical = static_cast<double>(durations[durations.size() / 2]);
    for (int64_t d : durations)
        if (std::fabs(static_cast<double>(d) - typical) > typical / 10)
            return true;
    return false;
}

// The frames the container promises: its own count, or its duration times
// the frame rate; 0 when it tells neither.
int64_t expected_frames(const AVFormatContext* format, const AVStream* st)
{
    if (st->nb_frames > 0)
        return st->nb_frames;
    const double fps = frame_rate_of(st);
    double seconds = 0;
    if (st->duration != AV_NOPTS_VALUE && st->duration > 0)
        seconds = static_cast<double>(st->duration) * av_q2d(st->time_base);
    else if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        seconds = static_cast<double>(format->duration) / AV_TIME_BASE;
    if (fps <= 0 || seconds <= 0 || seconds * fps > kMaxFilmPackets)
        return 0;
    return std::llround(seconds * fps);
}

// Reads the packets of the video stream (without decoding them) into the
// index. Stops at damage and says so.
void list_packets(Film& film)
{
    AVStream* st = film.format->streams[film.stream];
    std::vector<FilmPacket> packets;
    int code = 0;
    bool corrupt = false;
    while ((code = av_read_frame(film.format, film.packet)) >= 0) {
        const bool ours = film.packet->stream_index == film.stream;
        corrupt = film.packet->flags & AV_PKT_FLAG_CORRUPT;
        // Packets marked for discarding lie before the start of an edit list:
        // decoded for their references, never shown.
        const bool shown = !(film.packet->flags & AV_PKT_FLAG_DISCARD);
        FilmPacket p;
        p.pts = film.packet->pts;
        p.dts = film.packet->dts;
        p.key = film.packet->flags & AV_PKT_FLAG_KEY;
        av_packet_unref(film.packet);
        if (!ours || (!shown && !corrupt))
            continue;
        if (corrupt)
            break;
        if (packets.size() >= size_t(kMaxFilmPackets)) {
            film.problem =
                "more than " + std::to_string(kMaxFilmPackets) + " frames; the rest are left out";
            break;
        }
        packets.push_back(p);
    }
    const int64_t listed = static_cast<int64_t>(packets.size());
    const bool failed = code < 0 && code != AVERROR_EOF;
    const int64_t expected = expected_frames(film.format, st);
    // A count from the duration may be a frame or two off, more so at a
    // variable rate.
    const bool short_of_count =
        st->nb_frames > 0 ? listed < expected : listed + 1 + expected / 50 < expected;
    if (corrupt || failed || short_of_count) {
        film.info.damaged = true;
        film.problem = "damaged or cut short after frame " + std::to_string(listed);
        if (expected > listed)
            film.problem += " of " + std::to_string(expected);
        if (failed)
            film.problem += " (" + error_text(code) + ")";
    }
    film.index = build_film_index(packets);
    film.info.frames = film.index.frames;
    film.info.variable_rate = durations_vary(film.index.frame_pts);
}

// Listings of the films opened last. Discovery and every load open the same
// film; listing a long one reads the whole file, so it is done once per
// version of the file (its inode, size and time of change). Module state,
// kept for the run; guarded by the lock.
struct Listing {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    struct timespec changed {};
    FilmIndex index;
    bool damaged = false;
    bool variable_rate = false;
    std::string problem;
};
constexpr size_t kListingsKept = 8;
std::mutex listings_lock;
std::vector<Listing> listings; // most recent last

bool same_version(const Listing& listing, const std::string& path, const struct stat& file)
{
    return listing.path == path && listing.device == file.st_dev && listing.inode == file.st_ino &&
           listing.size == file.st_size && listing.changed.tv_sec == file.st_mtim.tv_sec &&
           listing.changed.tv_nsec == file.st_mtim.tv_nsec;
}

bool recall_listing(const std::string& path, const struct stat& file, Film& film)
{
    std::lock_guard<std::mutex> guard(listings_lock);
    for (const Listing& listing : listings) {
        if (!same_version(listing, path, file))
            continue;
        film.index = listing.index;
        film.info.frames = listing.index.frames;
        film.info.damaged = listing.damaged;
        film.info.variable_rate = listing.variable_rate;
        film.problem = listing.problem;
        return true;
    }
    return false;
}

void keep_listing(const std::string& path, const struct stat& file, const Film& film)
{
    if (!S_ISREG(file.st_mode))
        return; // a pipe or device has no version to tell
    Listing listing;
    listing.path = path;
    listing.device = file.st_dev;
    listing.inode = file.st_ino;
    listing.size = file.st_size;
    listing.changed = file.st_mtim;
    listing.index = film.index;
    listing.damaged = film.info.damaged;
    listing.variable_rate = film.info.variable_rate;
    listing.problem = film.problem;
    std::lock_guard<std::mutex> guard(listings_lock);
    listings.erase(std::remove_if(listings.begin(), listings.end(),
                                  [&](const Listing& l) { return l.path == path; }),
                   listings.end());
    if (listings.size() >= kListingsKept)
        listings.erase(listings.begin());
    listings.push_back(std::move(listing));
}

bool open_decoder(Film& film, const FilmOptions& options, std::string* problem)
{
    const AVCodecParameters* par = film.format->streams[film.stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    if (codec == nullptr && par->codec_id == AV_CODEC_ID_NONE) {
        char tag[AV_FOURCC_MAX_STRING_SIZE] = {};
        av_fourcc_make_string(tag, par->codec_tag);
        *problem = std::string("an unknown codec (tag ") + tag + ")";
        return false;
    }
    if (codec == nullptr) {
        *problem = "the codec " + codec_name(par->codec_id) + " is not supported by this FFmpeg";
        return false;
    }
    film.decoder = avcodec_alloc_context3(codec);
    if (film.decoder == nullptr || avcodec_parameters_to_context(film.decoder, par) < 0) {
        *problem = "cannot set up the " + codec_name(par->codec_id) + " decoder";
        return false;
    }
    film.decoder->thread_count = std::max(0, options.threads);
    film.decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    film.decoder->max_pixels = options.max_pixels > 0 ? options.max_pixels : kMaxFilmPixels;
    const int code = avcodec_open2(film.decoder, codec, nullptr);
    if (code < 0) {
        *problem = "the " + codec_name(par->codec_id) + " decoder does not start (" +
                   error_text(code) + ")";
        return false;
    }
    return true;
}

} // namespace

FilmHandle open_film(const std::string& path, const FilmOptions& options, std::string* problem)
{
    quiet_ffmpeg();
    problem->clear();
    struct stat file {};
    if (stat(path.c_str(), &file) != 0)
        file = {};
    if (S_ISREG(file.st_mode) && file.st_size == 0) {
        *problem = "the file is empty";
        return nullptr;
    }
    FilmHandle film(new Film);
    // Only local files, and only the containers of films: a file that only
    // looks like one (a playlist, an image sequence pattern, a concatenation
    // list) must not make FFmpeg open other files or the network.
    AVDictionary* settings = nullptr;
    av_dict_set(&settings, "protocol_whitelist", "file", 0);
    av_dict_set(&settings, "format_whitelist", kFilmFormats, 0);
    int code = avformat_open_input(&film->format, path.c_str(), nullptr, &settings);
    av_dict_free(&settings);
    if (code < 0) {
        *problem = "not a film FFmpeg can read (" + error_text(code) + ")";
        return nullptr;
    }
    // Containers with a header (MP4, Matroska, AVI) tell the video stream's
    // codec, size and rate at once; probing the streams would decode frames
    // for nothing. The others (MPEG streams) are probed.
    bool has_audio = false;
    film->stream = first_video_stream(film->format, &has_audio);
    if (film->stream < 0 || !described(film->format->streams[film->stream])) {
        code = avformat_find_stream_info(film->format, nullptr);
        if (code < 0) {
            *problem = "the streams cannot be read (" + error_text(code) + ")";
            return nullptr;
        }
        film->stream = first_video_stream(film->format, &has_audio);
    }
    if (film->stream < 0) {
        *problem = has_audio ? "sound only, no video stream" : "no video stream";
        return nullptr;
    }
    AVStream* st = film->format->streams[film->stream];
    const AVCodecParameters* par = st->codecpar;
    film->info.codec = codec_name(par->codec_id);
    film->info.width = par->width;
    film->info.height = par->height;
    film->info.fps = frame_rate_of(st);
    const long long max_pixels = options.max_pixels > 0 ? options.max_pixels : kMaxFilmPixels;
    if (par->width < 1 || par->height < 1 || par->width > kMaxImageSide ||
        par->height > kMaxImageSide ||
        static_cast<long long>(par->width) * par->height > max_pixels) {
        *problem = "a picture size of " + std::to_string(par->width) + " x " +
                   std::to_string(par->height) + " pixels, which tyx does not read";
        return nullptr;
    }
    if (!open_decoder(*film, options, problem))
        return nullptr;
    film->packet = av_packet_alloc();
    film->picture = av_frame_alloc();
    if (film->packet == nullptr || film->picture == nullptr) {
        *problem = "out of memory";
        return nullptr;
    }
    // The other streams are skipped unread.
    for (unsigned i = 0; i < film->format->nb_streams; i++)
        if (static_cast<int>(i) != film->stream)
            film->format->streams[i]->discard = AVDISCARD_ALL;

    if (!recall_listing(path, file, *film)) {
        list_packets(*film);
        keep_listing(path, file, *film);
    }
    if (film->info.frames == 0) {
        *problem = film->problem.empty() ? "no frame in the video stream" : film->problem;
        return nullptr;
    }
    film->info.output_width = film->info.width;
    film->info.output_height = film->info.height;
    fit_texture_size(film->info.width, film->info.height, options.texture_limit,
                     &film->info.output_width, &film->info.output_height);
    return film;
}

namespace {

bool same_packet(const AVPacket* packet, const FilmKey& key)
{
    if (key.pts != kNoTimestamp && packet->pts != AV_NOPTS_VALUE)
        return packet->pts == key.pts;
    return packet->dts == key.dts;
}

int64_t shown_at(const AVPacket* packet)
{
    return packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
}

// Reads the next packet of the video stream into film.packet. False at the
// end of the file or at damage.
bool read_video_packet(Film& film)
{
    while (av_read_frame(film.format, film.packet) >= 0) {
        if (film.packet->stream_index == film.stream)
            return true;
        av_packet_unref(film.packet);
    }
    return false;
}

bool seek_to_beginning(Film& film)
{
    if (av_seek_frame(film.format, film.stream, INT64_MIN, AVSEEK_FLAG_BACKWARD) >= 0)
        return true;
    return av_seek_frame(film.format, -1, 0, AVSEEK_FLAG_BYTE) >= 0;
}

// Positions the demuxer so that the next packet read is key frame `key`
// (-1: the first packet) and sends nothing yet, except the key packet itself,
// which is handed to the decoder. Demuxers without an exact index may land
// after the key frame; then the search starts again from the beginning.
bool seek_to_key(Film& film, int key)
{
    avcodec_flush_buffers(film.decoder);
    film.next = -1;
    film.counted = 0;
    film.last = -1;
    if (key < 0)
        return seek_to_beginning(film);
    const FilmKey& target = film.index.keys[static_cast<size_t>(key)];
    const int64_t at = target.dts != kNoTimestamp ? target.dts : target.pts;
    for (int attempt = 0; attempt < 2; attempt++) {
        const bool sought =
            attempt == 0 ? av_seek_frame(film.format, film.stream, at, AVSEEK_FLAG_BACKWARD) >= 0
                         : seek_to_beginning(film);
        if (!sought)
            continue;
        while (read_video_packet(film)) {
            const bool key_packet = film.packet->flags & AV_PKT_FLAG_KEY;
            if (same_packet(film.packet, target)) {
                const int code = avcodec_send_packet(film.decoder, film.packet);
                av_packet_unref(film.packet);
                return code >= 0 || code == AVERROR_INVALIDDATA;
            }
            const bool beyond = key_packet && shown_at(film.packet) != AV_NOPTS_VALUE &&
                                shown_at(film.packet) > target.pts;
            av_packet_unref(film.packet);
            if (beyond)
                break;
        }
    }
    return false;
}

// Showing place of the frame just decoded.
int place_of(Film& film, const AVFrame* picture)
{
    if (film.index.frame_pts.empty())
        return film.counted++;
    int place = film_frame_at(film.index, picture->best_effort_timestamp);
    if (place < 0)
        place = film_frame_at(film.index, picture->pts);
    // A timestamp the listing never saw: take it as the frame after the last.
    return place >= 0 ? place : film.last + 1;
}

int swscale_colorspace(AVColorSpace space)
{
    switch (space) {
    case AVCOL_SPC_BT709:
        return SWS_CS_ITU709;
    case AVCOL_SPC_FCC:
        return SWS_CS_FCC;
    case AVCOL_SPC_SMPTE240M:
        return SWS_CS_SMPTE240M;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
        return SWS_CS_BT2020;
    default:
        return SWS_CS_DEFAULT;
    }
}

// The pixel format without the deprecated full-range ("J") variants, and the
// range the picture uses.
AVPixelFormat plain_format(AVPixelFormat format, bool* full_range)
{
    switch (format) {
    case AV_PIX_FMT_YUVJ420P:
        *full_range = true;
        return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P:
        *full_range = true;
        return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P:
        *full_range = true;
        return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P:
        *full_range = true;
        return AV_PIX_FMT_YUV440P;
    default:
        return format;
    }
}

// Converts the decoded picture into `out` at the output size.
bool convert_picture(Film& film, const AVFrame* picture, unsigned char* out)
{
    if (picture->width < 1 || picture->height < 1 || picture->format < 0) {
        film.problem = "a frame without a picture";
        return false;
    }
    bool full_range = picture->color_range == AVCOL_RANGE_JPEG;
    const AVPixelFormat format =
        plain_format(static_cast<AVPixelFormat>(picture->format), &full_range);
    const int width = film.info.output_width;
    const int height = film.info.output_height;
    const bool shrinking = width < picture->width || height < picture->height;
    // Area averaging is the box filter of shrunk images; at the film's own size
    // only the chroma planes are interpolated.
    const int flags = shrinking ? SWS_AREA : SWS_BILINEAR;
    film.scaler = sws_getCachedContext(film.scaler, picture->width, picture->height, format, width,
                                       height, AV_PIX_FMT_BGRA, flags, nullptr, nullptr, nullptr);
    if (film.scaler == nullptr) {
        const char* name = av_get_pix_fmt_name(format);
        film.problem = std::string("pixel format ") + (name ? name : "unknown") + " not supported";
        return false;
    }
    const int* coefficients = sws_getCoefficients(swscale_colorspace(picture->colorspace));
    sws_setColorspaceDetails(film.scaler, coefficients, full_range ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    uint8_t* planes[4] = {out, nullptr, nullptr, nullptr};
    int strides[4] = {width * 4, 0, 0, 0};
    sws_scale(film.scaler, picture->data, picture->linesize, 0, picture->height, planes, strides);
    // A map is opaque, whatever alpha plane the film carries.
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
    if (desc != nullptr && (desc->flags & AV_PIX_FMT_FLAG_ALPHA)) {
        const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
        for (size_t i = 0; i < count; i++)
            out[i * 4 + 3] = 255;
    }
    return true;
}

void note_missing(Film& film, int from, int to)
{
    if (to < from)
        return;
    film.problem = from == to ? "frame " + std::to_string(from + 1) + " does not decode"
                              : "frames " + std::to_string(from + 1) + " to " +
                                    std::to_string(to + 1) + " do not decode";
}

} // namespace

int read_film_frames(Film& film, int first, int last, const FilmFrameTarget& target)
{
    first = std::max(first, 0);
    last = std::min(last, film.info.frames - 1);
    if (first > last)
        return 0;
    film.problem.clear();
    const FilmSeekPlan plan = plan_film_seek(film.index, film.next, first);
    if (plan.seek && !seek_to_key(film, plan.key)) {
        film.problem = "cannot find frame " + std::to_string(first + 1) + " in the file";
        return 0;
    }
    int wanted = first;
    int converted = 0;
    bool draining = false;
    int errors = 0; // decoding errors in a row; a picture resets the count
    while (wanted <= last) {
        int code = avcodec_receive_frame(film.decoder, film.picture);
        if (code == 0) {
            errors = 0;
            const int place = place_of(film, film.picture);
            film.last = place;
            film.next = place + 1;
            if (place >= wanted) {
                note_missing(film, wanted, std::min(place, last + 1) - 1);
                if (place <= last) {
                    unsigned char* out = target(place);
                    if (out != nullptr && convert_picture(film, film.picture, out))
                        converted++;
                }
                wanted = place + 1;
            }
            av_frame_unref(film.picture);
            continue;
        }
        if (code != AVERROR(EAGAIN) && code != AVERROR_EOF && ++errors < kMaxDecodingErrors)
            continue; // a damaged frame; the decoder goes on with the next one
        if (code != AVERROR(EAGAIN) || draining)
            break;
        if (!read_video_packet(film)) {
            // End of the file (or damage): the decoder still holds frames.
            avcodec_send_packet(film.decoder, nullptr);
            draining = true;
            continue;
        }
        code = avcodec_send_packet(film.decoder, film.packet);
        av_packet_unref(film.packet);
        (void)code; // a packet that does not decode shows as a missing frame
    }
    if (wanted <= last) {
        note_missing(film, wanted, last);
        film.next = -1;
    } else if (draining) {
        film.next = -1; // a drained decoder must be flushed by a seek
    }
    return converted;
}
