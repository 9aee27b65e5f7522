// The guide player's applet: its launch button, its settings, where its files are, what links open.

import java.applet.Applet;
import java.awt.BorderLayout;
import java.awt.Button;
import java.awt.Color;
import java.awt.event.ActionEvent;
import java.awt.event.ActionListener;
import java.io.UnsupportedEncodingException;
import java.net.MalformedURLException;
import java.net.URL;

public class Dravenloom extends Applet implements ActionListener {
    private static final long serialVersionUID = 1L;

    // The settings of the element, with the values the author's program starts with.
    String frameWidth = "300";
    String frameHeight = "400";
    String fileName = "";
    String title = "";
    String caption = "";
    Color background = Color.white;
    Color text = Color.black;
    String face = "Times New Roman";
    String style = "Regular";
    String size = "12";
    String textStart = "5";
    String image = "gray.gif";
    String imageDir = "";

    Button launch;
    GuideFrame frame;

    public void init() {
        frameWidth = positive("frameWidth", frameWidth);
        frameHeight = positive("frameHeight", frameHeight);
        fileName = param("filename", fileName);
        title = param("title", title);
        caption = param("button", caption);
        background = colour("background", background);
        text = colour("text", text);
        face = param("face", face);
        style = param("style", style);
        size = positive("size", size);
        textStart = positive("textStart", textStart);
        image = param("image", image);
        imageDir = param("imageDir", imageDir);

        setLayout(new BorderLayout());
        // A button without a caption could not be found on the page.
        launch = new Button(isBlank(caption) ? About.PLAYER : caption);
        launch.addActionListener(this);
        add(launch, BorderLayout.CENTER);
    }

    public void destroy() {
        if (frame != null)
            frame.dispose();
        frame = null;
    }

    public void actionPerformed(ActionEvent event) {
        openGuide();
    }

    void openGuide() {
        if (frame == null)
            frame = new GuideFrame(this);
        frame.open();
    }

    public String getAppletInfo() {
        return About.NAME + "\n" + About.LINE;
    }

    public String[][] getParameterInfo() {
        return new String[][] {
            {"frameWidth", "integer", "width of the guide's window in pixels"},
            {"frameHeight", "integer", "height of the guide's window in pixels"},
            {"filename", "file name", "the guide file, beside the class files"},
            {"title", "text", "title of the guide's window"},
            {"button", "text", "caption of the button that opens the guide"},
            {"background", "#RRGGBB", "background colour"},
            {"text", "#RRGGBB", "text colour"},
            {"face", "font name", "Arial, Courier or Times New Roman"},
            {"style", "word", "Regular, Bold, Italic or BoldItalic"},
            {"size", "integer", "font size"},
            {"textStart", "integer", "top of the first line in pixels"},
            {"image", "file name", "picture of the response buttons"},
            {"imageDir", "directory", "where the pictures are, below the class files"},
        };
    }

    // The style word: "Regular", "Bold", "Italic" or "BoldItalic", in any case.
    static boolean isBold(String style) {
        return style.toLowerCase().indexOf("bold") >= 0;
    }

    static boolean isItalic(String style) {
        return style.toLowerCase().indexOf("italic") >= 0;
    }

    // The window's title, and the title line in it.
    String shownTitle() {
        return title.length() == 0 ? About.PLAYER : title;
    }

    private String param(String name, String fallback) {
        String value = getParameter(name);
        return value == null ? fallback : value;
    }

    // A size, a width or a start that is not a whole number above 0 would leave nothing to
    // read: the author's program never writes one, and the element may have been edited.
    private String positive(String name, String fallback) {
        return positiveOr(param(name, fallback), fallback);
    }

    static String positiveOr(String value, String fallback) {
        Integer number = GuideFrame.readNumber(value.trim());
        return number == null || number.intValue() <= 0 ? fallback : value.trim();
    }

    private Color colour(String name, Color fallback) {
        Color value = parseColour(param(name, ""));
        return value == null ? fallback : value;
    }

    static Color parseColour(String text) {
        String digits = text.trim();
        if (digits.startsWith("#"))
            digits = digits.substring(1);
        if (digits.length() != 6)
            return null;
        int value = 0;
        for (int i = 0; i < 6; ++i) {
            int digit = Character.digit(digits.charAt(i), 16);
            if (digit < 0)
                return null;
            value = value * 16 + digit;
        }
        return new Color(value);
    }

    // ---- Where the files are ----

    static boolean isBlank(String text) {
        for (int i = 0; i < text.length(); ++i)
            if (text.charAt(i) > ' ')
                return false;
        return true;
    }

    // The file name of a stored path, whichever separator the author's machine used.
    static String lastComponent(String path) {
        int slash = Math.max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
        return path.substring(slash + 1);
    }

    // Where a picture or the button image is, relative to the class files: in the image
    // directory when there is one, else beside them; found by the last component of its path.
    static String picturePlace(String imageDir, String storedPath) {
        String name = encode(lastComponent(storedPath), false);
        if (isBlank(imageDir))
            return name;
        String directory = encode(imageDir.trim().replace('\\', '/'), true);
        return directory.endsWith("/") ? directory + name : directory + "/" + name;
    }

    // The guide is beside the class files.
    static String guidePlace(String fileName) {
        return encode(fileName, true);
    }

    // A name written into a URL: characters that mean something there, blanks and letters
    // beyond ASCII are escaped (as UTF-8, as web servers expect).
    static String encode(String name, boolean keepSlash) {
        StringBuilder out = new StringBuilder();
        for (int i = 0; i < name.length(); ++i) {
            char c = name.charAt(i);
            boolean plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
                || (c >= '0' && c <= '9') || "-._~!$&'()*+,;=@".indexOf(c) >= 0
                || (keepSlash && c == '/');
            if (plain) {
                out.append(c);
                continue;
            }
            byte[] bytes;
            try {
                int end = Character.isHighSurrogate(c) && i + 1 < name.length() ? i + 2 : i + 1;
                bytes = name.substring(i, end).getBytes("UTF-8");
                i = end - 1;
            } catch (UnsupportedEncodingException impossible) {
                bytes = new byte[] {(byte) '?'};
            }
            for (int b = 0; b < bytes.length; ++b) {
                out.append('%');
                out.append(Character.toUpperCase(Character.forDigit((bytes[b] >> 4) & 15, 16)));
                out.append(Character.toUpperCase(Character.forDigit(bytes[b] & 15, 16)));
            }
        }
        return out.toString();
    }

    URL guideUrl() throws MalformedURLException {
        return new URL(getCodeBase(), guidePlace(fileName));
    }

    URL pictureUrl(String storedPath) throws MalformedURLException {
        return new URL(getCodeBase(), picturePlace(imageDir, storedPath));
    }

    // ---- Which links may be opened ----

    private static boolean startsWithNoCase(String text, String prefix) {
        if (text.length() < prefix.length())
            return false;
        for (int i = 0; i < prefix.length(); ++i) {
            char c = text.charAt(i);
            if (c >= 'A' && c <= 'Z')
                c = (char) (c + 32);
            if (c != prefix.charAt(i))
                return false;
        }
        return true;
    }

    private static boolean isAsciiDigit(char c) {
        return c >= '0' && c <= '9';
    }

    private static boolean isAsciiLetterOrDigit(char c) {
        return isAsciiDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    }

    // Blanks, control characters and the characters no address carries unescaped, which would
    // let the browser read the address as something else.
    private static boolean hasUnsafeCharacter(String text) {
        for (int i = 0; i < text.length(); ++i) {
            char c = text.charAt(i);
            if (c <= 0x20 || c == 0x7F || "\"\\<>`".indexOf(c) >= 0)
                return true;
        }
        return false;
    }

    // Letters, digits, hyphens and full stops, a full stop between two labels, and an
    // optional port.
    private static boolean isHost(String host) {
        int colon = host.indexOf(':');
        if (colon >= 0) {
            String port = host.substring(colon + 1);
            if (port.length() == 0 || port.length() > 5)
                return false;
            for (int i = 0; i < port.length(); ++i)
                if (!isAsciiDigit(port.charAt(i)))
                    return false;
            host = host.substring(0, colon);
        }
        if (host.length() == 0 || host.charAt(0) == '.' || host.charAt(0) == '-'
                || host.charAt(host.length() - 1) == '.' || host.indexOf('.') < 0
                || host.indexOf("..") >= 0)
            return false;
        for (int i = 0; i < host.length(); ++i) {
            char c = host.charAt(i);
            if (!isAsciiLetterOrDigit(c) && c != '-' && c != '.' && c < 0x80)
                return false;
        }
        return true;
    }

    // What follows "scheme://" up to the path, query or fragment.
    private static String hostPart(String rest) {
        int end = rest.length();
        for (int i = 0; i < rest.length(); ++i) {
            if ("/?#".indexOf(rest.charAt(i)) >= 0) {
                end = i;
                break;
            }
        }
        return rest.substring(0, end);
    }

    // The address a link response may open, or null. "http://", "https://" and "mailto:"
    // addresses go as written (blanks around them ignored); a bare web address such as
    // "www.example.com/page" gets "http://" in front. Anything else (a local path, "file:",
    // "javascript:") is refused: a guide comes from someone else, and its links must not run
    // anything or open the reader's files.
    static String openableAddress(String target) {
        int start = 0;
        int end = target.length();
        while (start < end && (target.charAt(start) == ' ' || target.charAt(start) == '\t'))
            ++start;
        while (end > start && (target.charAt(end - 1) == ' ' || target.charAt(end - 1) == '\t'))
            --end;
        String address = target.substring(start, end);
        if (address.length() == 0 || hasUnsafeCharacter(address))
            return null;
        String[] schemes = {"http://", "https://"};
        for (int i = 0; i < schemes.length; ++i) {
            if (startsWithNoCase(address, schemes[i])) {
                String host = hostPart(address.substring(schemes[i].length()));
                // "user:password@" before the host is legal in a web address.
                int at = host.lastIndexOf('@');
                if (at >= 0)
                    host = host.substring(at + 1);
                return isHost(host) ? address : null;
            }
        }
        if (startsWithNoCase(address, "mailto:")) {
            String mailbox = address.substring(7);
            int at = mailbox.indexOf('@');
            if (at <= 0 || at + 1 >= mailbox.length())
                return null;
            return address;
        }
        // A bare web address: a host name first, never a scheme of its own, never a path.
        if (!isHost(hostPart(address)))
            return null;
        return "http://" + address;
    }

    // A link opens in a new window of the browser, leaving the guide where it is.
    void showAddress(String address) throws MalformedURLException {
        getAppletContext().showDocument(new URL(address), "_blank");
    }
}
