#pragma once

#include "film_page.h"
#include "film_pictures.h"

#include "platform/http_request.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A site the lookup asks for film data. Texts are Windows-1252, as everywhere in the program.
namespace lookup {

// One GET: the whole body, or UserError on any failure.
using Get = std::function<std::string(const std::string& url, const http::Request& request)>;

// The eleven fields, the actor list and the genre list of one film.
using FilmData = FilmPageData;

// A search as the lookup window asks it.
struct Query
{
    // The search text as typed (FilmUP sends it as it is).
    std::string text;
    // The text without the year it holds, trimmed, and that year (0: none).
    std::string words;
    int year = 0;
    // FilmUP's two search parameters.
    bool anyWord = false;
    std::string perPage = "10";
};

struct Result
{
    // The chooser's line.
    std::string title;
    // What film() takes back; only the source reads it.
    std::string key;
};

// A film as its source answered it.
struct Film
{
    // The size of what the film request (or requests) brought.
    std::size_t bytes = 0;
    // nullopt: the answer is not in a form the reader knows.
    std::optional<FilmData> data;
    // nullopt: the answer names no picture.
    std::optional<PictureAddresses> pictures;
};

class Source
{
public:
    virtual ~Source() = default;
    // The name the texts give the source: "FilmUP", "TMDb", "Wikipedia".
    virtual std::string displayName() const = 0;
    // The host named when a search gets no answer.
    virtual std::string hostName() const = 0;
    // What the log says when the source cannot search yet (nothing goes to the network); empty
    // when it can.
    virtual std::vector<std::string> notReady() const { return {}; }
    // The lines after "<host> non risponde !".
    virtual std::vector<std::string> afterNoAnswer() const { return {}; }
    // Throws on a failed request.
    virtual std::vector<Result> search(const Query& query) = 0;
    // Throws on a failed request; an answer that cannot be read gives Film::data nullopt.
    virtual Film film(const std::string& key) = 0;
    // How its pictures are asked for.
    virtual http::Request pictureRequest() const { return {}; }
    // Its pictures may come in other formats than JPEG.
    virtual bool convertsPictures() const { return false; }
};

} // namespace lookup
