// The guide player's tests that need no display: the shared layout cases, the reading of guide
// files, where the player looks for its files, and which links it opens.
//
//   java -Djava.awt.headless=true -cp Applet:tests PlayerTests SOURCE_DIR DRAVENLOOM_CLI

import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.IOException;
import java.io.InputStream;
import java.net.URL;
import java.nio.charset.Charset;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

public final class PlayerTests {
    private static final Charset CP1252 = Charset.forName("windows-1252");

    public static void main(String[] args) throws Exception {
        File source = new File(args[0]);
        String cli = args[1];
        layoutCases(new File(source, "player/layout-cases/cases.json"));
        guideFiles(new File(source, "tests/data"), new File(source, "examples/tour.dvx"), cli);
        lineEnds(new File(source, "tests/data/worked-example.dvx"));
        fileLocations();
        links();
        pageSettings();
        System.exit(Check.finish("PlayerTests"));
    }

    // ---- The layout cases written from the author's renderer ----

    static void layoutCases(File file) throws IOException {
        Map<String, Object> all =
            Json.object(Json.parse(new String(Files.readAllBytes(file.toPath()), "UTF-8")));
        Map<String, Object> font = Json.object(all.get("font"));
        Map<Character, Integer> widths = new HashMap<>();
        for (Map.Entry<String, Object> entry : Json.object(font.get("widths")).entrySet())
            widths.put(entry.getKey().charAt(0), Json.integer(entry.getValue()));
        FakeMetrics metrics = new FakeMetrics(Json.integer(font.get("default")), widths);

        List<Object> cases = Json.array(all.get("cases"));
        Check.that(cases.size() >= 30, "the layout cases are all there (" + cases.size() + ")");
        int passed = 0;
        for (Object each : cases) {
            if (layoutCase(Json.object(each), metrics))
                ++passed;
        }
        System.out.println("layout cases: " + passed + " of " + cases.size() + " laid out alike");
    }

    // The guide lines of a case, through the player's own reading of a file.
    static String[] caseGuide(List<Object> lines) {
        ByteArrayOutputStream file = new ByteArrayOutputStream();
        for (Object line : lines) {
            byte[] bytes = ((String) line).getBytes(CP1252);
            file.write(bytes, 0, bytes.length);
            file.write('\r');
            file.write('\n');
        }
        return GuideFrame.splitGuide(file.toByteArray());
    }

    static boolean layoutCase(Map<String, Object> c, FakeMetrics metrics) {
        String name = "case " + c.get("name");
        int before = Check.failures;
        Map<String, Object> settings = Json.object(c.get("settings"));
        GuideCanvas canvas = new GuideCanvas();
        String size = (String) settings.get("size");
        boolean complete = canvas.layOut(caseGuide(Json.array(c.get("guide"))),
            Json.integer(c.get("record")), (String) settings.get("textStart"),
            (String) settings.get("width"), size, (String) settings.get("face"),
            (Boolean) settings.get("bold"), (Boolean) settings.get("italic"), metrics, metrics);
        Check.that(complete, name + " is laid out whole (" + canvas.failure + ")");
        Check.equal(Json.integer(c.get("points")), GuideFrame.strToInt(size) * 5 / 6,
            name + " font points");

        Map<String, Object> picture = Json.object(c.get("picture"));
        if (picture == null) {
            Check.equal(null, canvas.picturePath, name + " has no picture");
        } else {
            Check.equal(picture.get("path"), canvas.picturePath, name + " picture path");
            Check.equal(Json.integer(picture.get("x")), canvas.pictureX, name + " picture x");
            Check.equal(Json.integer(picture.get("y")), canvas.pictureY, name + " picture y");
        }

        List<Object> lines = Json.array(c.get("lines"));
        Check.equal(lines.size(), canvas.lineTexts.size(), name + " number of lines");
        for (int i = 0; i < Math.min(lines.size(), canvas.lineTexts.size()); ++i) {
            Map<String, Object> line = Json.object(lines.get(i));
            int[] box = canvas.lineBoxes.get(i);
            String where = name + " line " + (i + 1);
            Check.equal(line.get("text"), canvas.lineTexts.get(i), where + " text");
            Check.equal(Json.integer(line.get("x")), box[0], where + " x");
            Check.equal(Json.integer(line.get("y")), box[1], where + " y");
            Check.equal(line.get("bold"), (box[2] & java.awt.Font.BOLD) != 0, where + " bold");
            Check.equal(line.get("italic"), (box[2] & java.awt.Font.ITALIC) != 0,
                where + " italic");
        }

        List<Object> buttons = Json.array(c.get("buttons"));
        Check.equal(buttons.size(), canvas.buttons.size(), name + " number of buttons");
        for (int i = 0; i < Math.min(buttons.size(), canvas.buttons.size()); ++i) {
            Map<String, Object> button = Json.object(buttons.get(i));
            Check.equal(Json.integer(button.get("x")), GuideCanvas.BUTTON_X, name + " button x");
            Check.equal(Json.integer(button.get("y")), canvas.buttons.get(i)[0],
                name + " button " + (i + 1) + " y");
        }

        Map<String, Object> regions = Json.object(c.get("regions"));
        List<Object> tops = Json.array(regions.get("tops"));
        List<Object> targets = Json.array(regions.get("targets"));
        for (int k = 0; k < GuideCanvas.MAX_RESPONSES; ++k) {
            Check.equal(Json.integer(tops.get(k)), canvas.tops[k], name + " region " + k + " top");
            Check.equal(targets.get(k), canvas.targets[k], name + " region " + k + " target");
        }
        return Check.failures == before;
    }

    // ---- Guide files, read as the author's program reads them ----

    static void guideFiles(File data, File tour, String cli) throws Exception {
        List<File> files =
            new ArrayList<>(Arrays.asList(data.listFiles((dir, n) -> n.endsWith(".dvx"))));
        files.add(tour);
        Check.that(files.size() >= 6, "the golden guide files are found");
        for (File file : files)
            compareWithCli(file, cli);

        String[] worked = read(new File(data, "worked-example.dvx"));
        int second = GuideFrame.findPrimaryLine(worked, 2);
        Check.equal(1, second, "record 2 of the worked example starts at line 2");
        Check.equal("Is it on?\r\nLook at the light.", GuideFrame.lineText(worked[second]),
            "a 0x9A in the file is a line break");
        Check.equal("C:\\Pics\\logo.gif", GuideFrame.graphicPath(worked[0]), "picture path");
        Check.equal("300", GuideFrame.graphicX(worked[0]), "picture x");
        Check.that(GuideFrame.centred(worked[0]), "record 1 is centred");
        Check.equal("", GuideFrame.lineTarget(worked[3]), "a response without a jump");
        Check.equal("7", GuideFrame.lineTarget(worked[4]), "the last response's jump");

        Check.equal("line 3 does not start with a record number",
            GuideFrame.checkGuide(read(new File(data, "missing-number.dvx"))),
            "a malformed line is named by its number");
        Check.equal("it holds no records",
            GuideFrame.checkGuide(GuideFrame.splitGuide(new byte[0])), "an empty file");
        Check.equal(2, read(new File(data, "nul-ended.dvx")).length, "a NUL byte ends the guide");
        Check.equal(Arrays.asList("bulb.jpg"),
            GuideFrame.pictureNames(read(tour)),
            "the sample guide's pictures");
        Check.equal(Arrays.asList("logo.gif", "b.jpg"),
            GuideFrame.pictureNames(new String[] {
                "1\u00A4A\u00B6C:\\Pics\\logo.gif\u00AA1\u00B12\u20ACno",
                "1\u00A4r\u00B6C:\\not\\a\\picture.gif",
                "2\u00A4B\u00B6D:/x/logo.gif\u00AA1\u00B12\u20ACno",
                "3\u00A4C\u00B6img/b.jpg\u00AA1\u00B12\u20ACno",
                "4\u00A4D\u00B6 \u00AA\u00B1\u20ACno"}),
            "pictures by the last component of their path, each once, response lines skipped");
        Check.equal("\u20AC\u201A\u0081\u00E9\u00FF", GuideFrame.decodeLine(
            new byte[] {(byte) 0x80, (byte) 0x82, (byte) 0x81, (byte) 0xE9, (byte) 0xFF}, 0, 5),
            "code page 1252 bytes");
    }

    static String[] read(File file) throws IOException {
        return GuideFrame.splitGuide(Files.readAllBytes(file.toPath()));
    }

    static String run(String... command) throws IOException, InterruptedException {
        Process process = new ProcessBuilder(command).redirectErrorStream(true).start();
        InputStream in = process.getInputStream();
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        byte[] buffer = new byte[8192];
        for (int got; (got = in.read(buffer)) >= 0;)
            out.write(buffer, 0, got);
        int status = process.waitFor();
        return (status == 0 ? "" : "!") + new String(out.toByteArray(), "UTF-8");
    }

    // Every record the author's command line tool shows is what the player reads.
    static void compareWithCli(File file, String cli) throws Exception {
        String name = file.getName();
        String[] lines = GuideFrame.splitGuide(Files.readAllBytes(file.toPath()));
        String problem = GuideFrame.checkGuide(lines);
        String shown = run(cli, "show", "--json", file.getPath());
        if (shown.startsWith("!")) {
            Check.that(problem != null, name + ": the tool refuses it, and so does the player ("
                + shown.trim() + ")");
            return;
        }
        Map<String, Object> guide = Json.object(Json.parse(shown));
        List<Object> records = Json.array(guide.get("records"));
        if (problem != null) {
            // A file without lines: the tool shows an empty record 1, the player says why it
            // has nothing to show.
            Check.equal("it holds no records", problem, name + " refused");
            Check.equal(0, lines.length, name + " has no lines");
            return;
        }
        for (Object each : records) {
            Map<String, Object> record = Json.object(each);
            int number = Json.integer(record.get("number"));
            String where = name + " record " + number;
            int primary = GuideFrame.findPrimaryLine(lines, number);
            Check.that(primary >= 0, where + " is found");
            if (primary < 0)
                continue;
            String line = lines[primary];
            Check.equal(record.get("dialogue"), GuideFrame.lineText(line), where + " dialogue");
            Check.equal(record.get("graphicPath"), GuideFrame.graphicPath(line),
                where + " picture");
            Check.equal(record.get("graphicX"), GuideFrame.graphicX(line), where + " x");
            Check.equal(record.get("graphicY"), GuideFrame.graphicY(line), where + " y");
            Check.equal(record.get("center"), GuideFrame.centred(line), where + " centred");
            List<Object> responses = Json.array(record.get("responses"));
            int k = 0;
            for (int i = primary + 1; i < lines.length && k < 6
                    && GuideFrame.lineNumber(lines[i]) == number;
                    ++i, ++k) {
                Check.that(k < responses.size(), where + " has response " + (k + 1));
                if (k >= responses.size())
                    break;
                Map<String, Object> response = Json.object(responses.get(k));
                Check.equal(response.get("text"), GuideFrame.lineText(lines[i]),
                    where + " response " + (k + 1));
                Check.equal(response.get("target"), GuideFrame.lineTarget(lines[i]),
                    where + " response " + (k + 1) + " target");
            }
            Check.equal(responses.size(), k, where + " number of responses");
        }
    }

    // CR LF, LF and CR line ends read alike: a text transfer by FTP changes them.
    static void lineEnds(File file) throws IOException {
        byte[] original = Files.readAllBytes(file.toPath());
        String[] expected = GuideFrame.splitGuide(original);
        Check.equal(5, expected.length, "the worked example has five lines");
        String[] ends = {"\r\n", "\n", "\r"};
        for (String end : ends) {
            for (boolean lastEnded : new boolean[] {true, false}) {
                ByteArrayOutputStream out = new ByteArrayOutputStream();
                for (int i = 0; i < original.length; ++i) {
                    if (original[i] == '\r')
                        continue;
                    if (original[i] == '\n') {
                        if (i == original.length - 1 && !lastEnded)
                            continue;
                        byte[] bytes = end.getBytes(CP1252);
                        out.write(bytes, 0, bytes.length);
                    } else {
                        out.write(original[i]);
                    }
                }
                Check.equal(Arrays.asList(expected),
                    Arrays.asList(GuideFrame.splitGuide(out.toByteArray())),
                    "lines ended by " + Check.show(end) + (lastEnded ? "" : ", the last one not"));
            }
        }
    }

    // ---- Where the player finds its files ----

    static void fileLocations() throws Exception {
        String[][] cases = {
            // image directory, stored path, where it is below the class files
            {"", "C:\\Pics\\logo.gif", "logo.gif"},
            {"", "/home/ann/pictures/bulb.jpg", "bulb.jpg"},
            {"", "bulb.jpg", "bulb.jpg"},
            {"  ", "C:\\Pics\\logo.gif", "logo.gif"},
            {"img", "C:\\Pics\\logo.gif", "img/logo.gif"},
            {"img/", "D:/mixed\\seps/logo.gif", "img/logo.gif"},
            {" img\\small ", "logo.gif", "img/small/logo.gif"},
            {"", "C:\\My Pictures\\my lamp #2.jpg", "my%20lamp%20%232.jpg"},
            {"", "caf\u00E9.gif", "caf%C3%A9.gif"},
            {"my img", "a?b.gif", "my%20img/a%3Fb.gif"},
        };
        for (String[] c : cases)
            Check.equal(c[2], Dravenloom.picturePlace(c[0], c[1]),
                "picture " + c[1] + " with image directory \"" + c[0] + "\"");
        Check.equal("tour.dvx", Dravenloom.guidePlace("tour.dvx"), "the guide beside the classes");
        Check.equal("my%20guide.dvx", Dravenloom.guidePlace("my guide.dvx"), "a blank in its name");

        URL base = new URL("http://example.com/guides/Applet/");
        Check.equal("http://example.com/guides/Applet/img/logo.gif",
            new URL(base, Dravenloom.picturePlace("img", "C:\\Pics\\logo.gif")).toString(),
            "the image directory lies below the class files");
        Check.equal("http://example.com/guides/Applet/gray.gif",
            new URL(base, Dravenloom.picturePlace("", "gray.gif")).toString(),
            "the button image beside the class files");
        Check.equal("", Dravenloom.lastComponent("C:\\Pics\\"),
            "a path that ends with a separator");
    }

    // ---- Which links are opened: the author's program's rule ----

    static void links() {
        String[][] cases = {
            {"http://www.example.com", "http://www.example.com"},
            {"HTTPS://example.com/a?b=c#d", "HTTPS://example.com/a?b=c#d"},
            {"http://user:pw@example.com:8080/x", "http://user:pw@example.com:8080/x"},
            {"mailto:someone@example.com?subject=Hi", "mailto:someone@example.com?subject=Hi"},
            {"www.example.com", "http://www.example.com"},
            {"  example.org/page.html ", "http://example.org/page.html"},
            {"example.org:81/", "http://example.org:81/"},
            {"http://example.com/caf\u00E9", "http://example.com/caf\u00E9"},
            {"javascript:alert(1)", null},
            {"JavaScript:void(0).x", null},
            {"file:///etc/passwd", null},
            {"C:\\Windows\\notepad.exe", null},
            {"/usr/bin/xterm", null},
            {"../secret.txt", null},
            {"data:text/html,<b>x</b>", null},
            {"smb://server.example/share", null},
            {"http://", null},
            {"http://.example.com", null},
            {"http:example.com", null},
            {"http://example.com/a b", null},
            {"http://example.com/\"--x", null},
            {"www.example.com\r\n", null},
            {"mailto:", null},
            {"mailto:@example.com", null},
            {"version 1.5", null},
            {"", null},
            {"https://www.korvessa.example/lamps/", "https://www.korvessa.example/lamps/"},
        };
        for (String[] c : cases)
            Check.equal(c[1], Dravenloom.openableAddress(c[0]), "link " + Check.show(c[0]));
    }

    // ---- The element's settings as the applet reads them ----

    static void pageSettings() {
        Check.equal(new java.awt.Color(255, 128, 0), Dravenloom.parseColour("#FF8000"), "a colour");
        Check.equal(new java.awt.Color(0xAB, 0xCD, 0xEF), Dravenloom.parseColour("#abcdef"),
            "a colour in small letters");
        for (String bad : new String[] {"", "#FFF", "#GG0000", "FF00001", "#FF 000"})
            Check.equal(null, Dravenloom.parseColour(bad), "no colour in \"" + bad + "\"");
        String[][] styles = {{"Regular", "no", "no"}, {"Bold", "yes", "no"},
            {"Italic", "no", "yes"}, {"BoldItalic", "yes", "yes"}};
        for (String[] style : styles) {
            Check.equal(style[1].equals("yes"), Dravenloom.isBold(style[0]), style[0] + " bold");
            Check.equal(style[2].equals("yes"), Dravenloom.isItalic(style[0]),
                style[0] + " italic");
        }
        String[][] numbers = {{"300", "300"}, {" 250 ", "250"}, {"0", "9"}, {"-5", "9"},
            {"abc", "9"}, {"", "9"}, {"12px", "9"}, {"99999999999", "9"}};
        for (String[] number : numbers)
            Check.equal(number[1], Dravenloom.positiveOr(number[0], "9"),
                "the number \"" + number[0] + "\"");
    }
}
