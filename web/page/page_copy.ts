// The page's own document, kept as it was loaded, to save again with a set-up built in: the single file
// carries everything it needs (scripts, styles, the module), so a copy of its document is the file,
// and a page opened from disk or from a mail attachment needs no address to show the set-up. The
// set-up goes in as data (a JSON text in a script element that never runs), which the start-up reads.
// SPDX-License-Identifier: GPL-3.0-or-later

const BuiltInId = "tarnis-setup";

export class PageCopy {
    private constructor(private readonly root: HTMLElement) {}

    /** A copy of the document before the page changes anything in it; call it first thing. */
    static capture(document: Document): PageCopy {
        return new PageCopy(document.documentElement.cloneNode(true) as HTMLElement);
    }

    /** Whether the copy is the whole page: no script or style sheet of it lies in a file beside it. */
    isWhole(): boolean {
        return this.root.querySelector("script[src], link[rel='stylesheet'][href], link[rel='modulepreload']") === null;
    }

    /** The page's HTML with the fragment built in (in place of any set-up built in before). */
    withSetup(fragment: string): string {
        const copy = this.root.cloneNode(true) as HTMLElement;
        copy.querySelector(`#${BuiltInId}`)?.remove();
        const data = document.createElement("script");
        data.type = "application/json";
        data.id = BuiltInId;
        // JSON keeps the text whole; "<" written as an escape keeps "</script>" from ending the element.
        data.textContent = JSON.stringify(fragment).replace(/</g, "\\u003c");
        const head = copy.querySelector("head") ?? copy;
        head.append(data);
        return `<!doctype html>\n${copy.outerHTML}\n`;
    }

    /** The fragment a saved page carries; none in a page that was not saved with a set-up. */
    static builtInFragment(document: Document): string | undefined {
        const text = document.getElementById(BuiltInId)?.textContent;
        if (!text) return undefined;
        try {
            const fragment: unknown = JSON.parse(text);
            return typeof fragment === "string" ? fragment : undefined;
        } catch {
            return undefined;
        }
    }
}
