// A web page for the applet under test: its settings, its files in a folder, and a record of
// the pages it asks the browser to show.

import java.applet.Applet;
import java.applet.AppletContext;
import java.applet.AppletStub;
import java.applet.AudioClip;
import java.awt.Image;
import java.awt.Toolkit;
import java.io.InputStream;
import java.net.MalformedURLException;
import java.net.URL;
import java.util.ArrayList;
import java.util.Collections;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Iterator;
import java.util.List;
import java.util.Map;

@SuppressWarnings({"deprecation", "removal"})
final class StubContext implements AppletStub, AppletContext {
    final Map<String, String> params = new HashMap<>();
    final URL base;
    final List<String> shown = new ArrayList<>(); // "address target" for every showDocument

    StubContext(URL base) {
        this.base = base;
    }

    @Override public boolean isActive() { return true; }
    @Override public URL getDocumentBase() { return base; }
    @Override public URL getCodeBase() { return base; }
    @Override public String getParameter(String name) { return params.get(name); }
    @Override public AppletContext getAppletContext() { return this; }
    @Override public void appletResize(int width, int height) {}

    @Override public AudioClip getAudioClip(URL url) { return null; }
    @Override public Image getImage(URL url) { return Toolkit.getDefaultToolkit().getImage(url); }
    @Override public Applet getApplet(String name) { return null; }
    @Override public Enumeration<Applet> getApplets() { return Collections.emptyEnumeration(); }

    @Override
    public void showDocument(URL url) {
        showDocument(url, "_self");
    }

    @Override
    public synchronized void showDocument(URL url, String target) {
        shown.add(url + " " + target);
    }

    synchronized List<String> shown() {
        return new ArrayList<>(shown);
    }

    @Override public void showStatus(String status) {}
    @Override public void setStream(String key, InputStream stream) {}
    @Override public InputStream getStream(String key) { return null; }
    @Override public Iterator<String> getStreamKeys() { return Collections.emptyIterator(); }

    static URL folder(java.io.File directory) throws MalformedURLException {
        return directory.toURI().toURL();
    }
}
